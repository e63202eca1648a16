// The radio models the program knows, the dealer editions that name them, the model state
// derived from an image's identity, and the default images built for a model.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"

namespace vgr47 {

enum class Edition { Vgr47, Ja31, Hwm63, Fzc85, DOk2, Nyl74 };

// "vgr47", "ja31", "hwm63", "fzc85", "d-ok2", "nyl74".
std::optional<Edition> EditionFromKey(const std::string& key);
std::string EditionKey(Edition edition);

enum class ModelKind { Basic, Signalling };

struct ModelInfo {
    const char* identity;  // 8 bytes as 16 upper-case hex digits, as stored at the identity address
    const char* model;
    double bandLow;   // MHz
    double bandHigh;  // MHz
    ModelKind kind;
};

inline constexpr int kModelCount = 16;

// Index order is the model list of the default edition.
const std::array<ModelInfo, kModelCount>& ModelCatalogue();
// Catalogue index of an identity (compared upper-cased), -1 when it is not a known model.
int CatalogueIndex(const std::string& identity);

// Names offered in the model list of an edition, in list order.
std::vector<std::string> EditionListNames(Edition edition);
// Name shown for a radio's identity in an edition; "???" when the edition has no name for it.
std::string InformationName(Edition edition, const std::string& identity);
// The catalogue index a list entry of the edition stands for, -1 for no entry.
int CatalogueIndexForListEntry(Edition edition, int entry);

// The model derived from the identity stored in the image. It starts at the edition's first
// model, so the band limits are defined even before any image has been seen.
class ModelState {
  public:
    explicit ModelState(Edition edition = Edition::Vgr47);

    Edition edition() const { return edition_; }
    const std::string& currentIdentity() const { return currentIdentity_; }
    double bandLow() const { return bandLow_; }
    double bandHigh() const { return bandHigh_; }

    // Takes the identity from the image; the band limits follow only a known identity.
    void UpdateModelFromImage(const std::string& image);

    // Position of the identity in this edition's model list, -1 when it is not offered.
    int ModelIndex(const std::string& identity) const;
    int ModelIndex() const { return ModelIndex(currentIdentity_); }
    bool IsExtendedModel(const std::string& identity) const;
    bool IsExtendedModel() const { return IsExtendedModel(currentIdentity_); }
    std::string ModelDisplayName(const std::string& identity) const;
    // The main window title for the current model.
    std::string TitleText(const std::string& version) const;
    std::vector<std::string> ModelListNames() const;
    // "" when the entry is not in this edition's list.
    std::string CatalogueIdentityForListEntry(int entry) const;

  private:
    Edition edition_;
    std::string currentIdentity_;
    double bandLow_;
    double bandHigh_;
};

// The 4096-byte default image of the edition, without test frequencies.
std::string BuildTemplate(Edition edition);
// The ten test frequencies of a band, in MHz, in table order.
std::vector<double> TestFrequencies(double bandLow, double bandHigh);
// Writes the test frequencies of the band into the test frequency table of the image
// (the five first receive/transmit pairs; the other records empty). An image too short
// to hold the table is left alone.
void FillTestFrequencies(std::string& image, double bandLow, double bandHigh);
// The same for the current model, on the program's image (a short image is left alone).
void FillTestFrequencies(CodeplugImage& image, const ModelState& state);
// The template with the identity written in; the state is taken from the template first,
// so the test frequencies are those of the template's model (see BuildModelImage).
std::string BuildDefaultImage(ModelState& state, const std::string& identity);
// The complete default image of a model, as a model change installs it: identity, and the
// band and test frequencies of that model. The state follows the new model.
std::string BuildModelImage(ModelState& state, const std::string& identity);
// The image of the New command: the edition's first model with its test frequencies.
std::string BuildNewImage(ModelState& state);

}  // namespace vgr47

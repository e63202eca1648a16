#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "core/model_catalogue.h"
#include "editors/channels/channel_grid_view.h"
#include "tests/support/test_app.h"

using namespace vgr47;

TEST(ChannelForm, ShowsTheImageAndAsksForTheDialog) {
    vgr47::testing::EnsureTestApp();
    TextCatalogue texts(std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset);
    ModelState state(Edition::Vgr47);
    CodeplugImage image;
    image.InstallNew(BuildModelImage(state, "4B5632313041F8FF"));  // basic: rows A and B
    ChannelModel model(image, state, texts);
    ChannelGridView form(model, texts);
    EXPECT_EQ(form.grid()->rowCount(), 102);
    EXPECT_EQ(form.grid()->item(101, 0)->text(), "B");

    ChannelValues v = model.defaults();
    v.rx = "145.12500";
    model.WriteChannel(3, v);
    form.Refill();
    EXPECT_EQ(form.grid()->item(3, 1)->text(), "145.12500");

    QSignalSpy spy(&form, &ChannelGridView::channelDialogRequested);
    form.HighlightRow(3);
    EXPECT_EQ(form.grid()->item(3, 1)->background().color(), QColor(0, 0, 255));
    QTest::keyClick(form.grid(), Qt::Key_C);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
}

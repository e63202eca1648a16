// Saves a picture of the main window, as the program shows it at start-up, for the docs.
// Usage: vgr47-screenshot OUTPUT.png [en|zh]
//            [read|write|read-plain|write-verify|fleet|cascade [prompt]|COMMAND]
// With read or write, the radio dialog in debug mode after a transfer with the simulated radio
// (read-plain and write-verify: as a user sees it, the write verified); with a command number,
// that command's form over a signalling model's default codeplug; with cascade, the main window
// with three forms cascaded (and with prompt, the closing question).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <iostream>

#include "app/fleet_dlg.h"
#include "app/interface_font.h"
#include "app/qt_translations.h"
#include "app/read_dlg.h"
#include "app/resource_paths.h"
#include "app/shell.h"
#include "app/window_menu.h"
#include "app/write_dlg.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"
#include "sim/simulated_line.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::cerr << "usage: vgr47-screenshot OUTPUT.png [en|zh]\n";
        return 2;
    }
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    const bool chinese = argc > 2 && std::string(argv[2]) == "zh";
    const std::string dialog = argc > 3 ? argv[3] : "";

    // A fresh program folder: no remembered file, the default codeplug.
    QTemporaryDir programDir;
    vgr47::AppValues values;
    values.programDir = programDir.path().toStdString();
    const bool reading = dialog == "read" || dialog == "read-plain";
    const bool writing = dialog == "write" || dialog == "write-verify";
    const bool transfer = reading || writing;
    values.portName = transfer ? "sim" : "COM1";
    values.debug = dialog == "read" || dialog == "write";
    // The transfer's backup goes into the temporary folder, not the user's.
    qputenv("XDG_DATA_HOME", programDir.path().toLocal8Bit());
    values.languageOffset = chinese ? vgr47::kChineseOffset : vgr47::kEnglishOffset;
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
    vgr47::TextCatalogue texts(vgr47::FindResource(values.programDir, exeDir, "language.sys"),
                               values.languageOffset);

    QApplication::setFont(vgr47::InterfaceFont(chinese));
    vgr47::InstallQtTranslations(app, chinese);

    vgr47::CodeplugImage image;
    vgr47::ModelState model(vgr47::Edition::Vgr47);
    vgr47::Shell shell(values, texts, image, model);
    shell.LoadStartupImage();
    vgr47::CMainFrame& frame = shell.frame();
    frame.show();
    int status = 1;
    if (transfer) {
        vgr47::TransferDialog* d;
        if (reading) {
            d = new vgr47::ReadDialog(
                shell.formEnv(), vgr47::DefaultConnection(values, shell.formEnv().ports), &frame);
        } else {
            // A codeplug of the simulated radio's own model (8), so no question comes up.
            image.InstallNew(vgr47::BuildModelImage(model, vgr47::ModelCatalogue()[8].identity));
            model.UpdateModelFromImage(image.image());
            shell.RefreshFromImage();
            auto* w = new vgr47::WriteDialog(
                shell.formEnv(), vgr47::DefaultConnection(values, shell.formEnv().ports), &frame);
            w->verifyBox()->setChecked(dialog == "write-verify");
            d = w;
        }
        QObject::connect(d, &vgr47::TransferDialog::transferFinished, [&, d] {
            QTimer::singleShot(300, [&, d] {
                status = d->grab().save(output) ? 0 : 1;
                // The write stamped the version in: nothing to ask about when leaving.
                image.MarkSaved(image.filePath());
                app.quit();
            });
        });
        d->show();
        QTimer::singleShot(300, [d] { d->Start(); });
    } else if (dialog == "fleet") {
        // Write to several radios after a mixed run: five simulated radios on cables of a hub,
        // one refusing a block and one of another model.
        image.InstallNew(vgr47::BuildModelImage(model, vgr47::ModelCatalogue()[8].identity));
        model.UpdateModelFromImage(image.image());
        shell.RefreshFromImage();
        static std::vector<vgr47::sim::SimulatedRadio> radios;
        for (int i = 0; i < 5; ++i)
            radios.emplace_back(vgr47::ModelCatalogue()[i == 3 ? 0 : 8].identity);
        radios[2].AddFault(
            {vgr47::sim::FaultType::Refuse, vgr47::sim::CommandKind::BlockWrite, 40});
        vgr47::FleetDialog::Options options;
        options.listPorts = [] {
            std::vector<vgr47::SerialPortEntry> ports;
            for (int i = 0; i < 5; ++i) {
                const std::string n = std::to_string(i);
                ports.push_back({"ttyUSB" + n, "/dev/ttyUSB" + n, "FT232R USB UART", "FTDI",
                                 "A90K3" + n, "0403:6001", "ftdi_sio"});
            }
            return ports;
        };
        options.makeLine = [](int radio, const std::string&) -> std::unique_ptr<vgr47::FleetLine> {
            return std::make_unique<vgr47::sim::SimulatedLine>(
                radios[static_cast<std::size_t>(radio)], std::make_unique<vgr47::ManualClock>(),
                false);
        };
        auto* d = new vgr47::FleetDialog(shell.formEnv(), options, &frame);
        for (const vgr47::SerialPortEntry& port : options.listPorts())
            d->AddPort(QString::fromStdString(port.path));
        QObject::connect(d, &vgr47::FleetDialog::runFinished, [&, d] {
            QTimer::singleShot(300, [&, d] {
                status = d->grab().save(output) ? 0 : 1;
                image.MarkSaved(image.filePath());
                app.quit();
            });
        });
        d->show();
        QTimer::singleShot(300, [d] { d->Start(); });
    } else if (dialog == "cascade") {
        // The main window with three forms, arranged by Window > Cascade.
        image.InstallNew(vgr47::BuildModelImage(model, vgr47::ModelCatalogue()[8].identity));
        model.UpdateModelFromImage(image.image());
        shell.RefreshFromImage();
        for (int command : {vgr47::kCmdOptionalFeatures, vgr47::kCmdKeySettings, vgr47::kCmdDtmf})
            shell.RunCommand(command);
        // With the closing question in front: Qt's own buttons in the program's language. The
        // picture is taken without a window manager, so the question is framed as a child
        // window to show its caption.
        const bool prompt = argc > 4 && std::string(argv[4]) == "prompt";
        QTimer::singleShot(300, [&, prompt] {
            frame.windowMenu()->cascadeAction()->trigger();
            if (prompt) {
                auto* box = new QMessageBox(
                    QMessageBox::Question,
                    QString::fromStdString(texts.GetText(vgr47::kTextClosingCaption)),
                    QString::fromStdString(texts.GetText(vgr47::kTextUntitled) + " " +
                                           texts.GetText(vgr47::kTextSaveChangesQuestion)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                QMdiSubWindow* sub = frame.mdiArea()->addSubWindow(box, Qt::Dialog);
                sub->setWindowTitle(box->windowTitle());
                sub->show();
                const QRect view = frame.mdiArea()->viewport()->rect();
                sub->move(view.width() - sub->width() - 24, view.height() - sub->height() - 24);
            }
            QTimer::singleShot(500, [&] {
                status = frame.grab().save(output) ? 0 : 1;
                app.quit();
            });
        });
    } else if (!dialog.empty()) {
        image.InstallNew(vgr47::BuildModelImage(model, vgr47::ModelCatalogue()[8].identity));
        model.UpdateModelFromImage(image.image());
        shell.RefreshFromImage();
        const int command = std::stoi(dialog);
        shell.RunCommand(command);
        QTimer::singleShot(500, [&, command] {
            QMdiSubWindow* sub = frame.openForm(command);
            status = sub && sub->grab().save(output) ? 0 : 1;
            app.quit();
        });
    } else {
        QTimer::singleShot(500, [&] {
            status = frame.grab().save(output) ? 0 : 1;
            app.quit();
        });
    }
    app.exec();
    if (status != 0) std::cerr << "could not write " << output.toStdString() << '\n';
    return status;
}

// The settings window as a grown-up meets it: the time from asking for it (its library not yet
// loaded) to the window on the screen, then from "Check the pictures" to the summary shown.
// Prints "open: N ms" and "check: N ms"; run on an X server with the bundled assets.
#include "asset_paths.h"
#include "settings_host.h"
#include "settings_opener.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

class Host final : public SettingsHost {
  public:
    explicit Host(assets::AssetPaths paths) : m_paths(std::move(paths)) {}
    const assets::AssetPaths& paths() const override { return m_paths; }
    void settingsChanged() override { m_paths = m_paths.resolvedAgain(); }

  private:
    assets::AssetPaths m_paths;
};

// Polls every millisecond until `done` holds, at most 20 s; the milliseconds since `clock`.
void whenDone(std::function<bool()> done, QElapsedTimer clock, std::function<void(qint64)> then) {
    auto* poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (!done() && clock.elapsed() < 20000) return;
        poll->deleteLater();
        then(clock.elapsed());
    });
    poll->start();
}

QWidget* shownWindow() {
    QWidget* window = QApplication::activeModalWidget();
    return window && window->isVisible() && window->windowHandle() &&
                   window->windowHandle()->isExposed()
               ? window
               : nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QTemporaryDir home;
    Host host(assets::resolve(QStringLiteral(TOLVANO_PLAY_DIR),
                              {home.path() + "/data", home.path() + "/config", {}}));
    QElapsedTimer clock;
    clock.start();
    whenDone([] { return shownWindow() != nullptr; }, clock, [](qint64 openMs) {
        std::printf("open: %lld ms\n", static_cast<long long>(openMs));
        QWidget* window = shownWindow();
        if (!window) return;
        // The check's button is the one that starts it; its summary fills the read-only text.
        const QString checkText = QStringLiteral("Revisar las imágenes");
        for (QPushButton* button : window->findChildren<QPushButton*>())
            if (button->text() == checkText) {
                QElapsedTimer checking;
                checking.start();
                button->click();
                whenDone(
                    [window] {
                        for (auto* text : window->findChildren<QPlainTextEdit*>())
                            if (text->toPlainText().contains(QStringLiteral("jugar"))) return true;
                        return false;
                    },
                    checking, [window](qint64 checkMs) {
                        std::printf("check: %lld ms\n", static_cast<long long>(checkMs));
                        window->close();
                    });
                return;
            }
        window->close();
    });
    const OpenSettingsWindow open = settingsWindow(QStringLiteral(TOLVANO_PLAY_DIR));
    if (!open) return 1;
    open(host, nullptr);
    return 0;
}

// The yardstick for the game's start-up: the barest Qt Widgets window of the splash screen's size.
//
// bench/run starts it exactly as it starts the game and waits for it the same way, so the ratio
// of the two start-up times says what the game adds to what any Qt Widgets program costs.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Frameless and of the splash screen's size, so the window system does the same work for both.
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(484, 472);
    window.show();
    return app.exec();
}

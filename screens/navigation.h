// The path between the windows: splash, level menu, game screen. Each window asks this for the
// next step instead of knowing the others.
#pragma once

class QWidget;
namespace assets {
class AssetPaths;
}

class Navigation {
public:
    virtual ~Navigation() = default;
    // The level menu as an ordinary window (after the splash).
    virtual void showLevelMenu() = 0;
    // Whether the game screen has been loaded and shown (the menu then follows a round).
    virtual bool gameScreenVisible() const = 0;
    // After a round: the game screen's Timer3 starts the next round 500 ms later.
    virtual void enableGameTimer3() = 0;
    // The first play of the run: load the game screen (its start-up runs) and show it.
    virtual void loadGameScreen() = 0;
    // The program ends at once; nothing is saved.
    virtual void quit() = 0;
    // After the pause that ends a round: the level menu over the game screen, returning only
    // when the menu has closed.
    virtual void showLevelMenuOverGame() {}
    // The grown-ups' settings window over `parent`, returning when it has closed; true when a
    // setting changed, and the windows then follow currentPaths(), found again.
    virtual bool openSettings(QWidget* parent) {
        (void)parent;
        return false;
    }
    // The paths every window plays from now; none where nothing changes them.
    virtual const assets::AssetPaths* currentPaths() const { return nullptr; }
};

// Goes nowhere: for programs that drive the game screen's handlers themselves (benchmarks, test
// helpers), where the next round starts as if play had been pressed.
class NoNavigation final : public Navigation {
public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return true; }
    void enableGameTimer3() override {}
    void loadGameScreen() override {}
    void quit() override {}
};

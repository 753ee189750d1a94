// What the settings window needs of the game, and the entry point of the library that holds it.
#pragma once

// The settings window, the folder check and the worksheets it runs, and the print dialog live in
// a library of their own (libtolvano-settings.so), opened only when a grown-up opens the window:
// the game starts without loading Qt's printing, speech or the check's code.

class QWidget;
namespace assets {
class AssetPaths;
}

class SettingsHost {
  public:
    virtual ~SettingsHost() = default;
    // The paths the game plays from now: the sets found, the user's folders and settings.
    virtual const assets::AssetPaths& paths() const = 0;
    // tolvano.conf has just been written: the game finds its paths again and follows them from
    // the next round (and the menu); paths() then gives the new ones.
    virtual void settingsChanged() = 0;
};

// Shows the settings window over parent, modally, and returns when it has closed.
using OpenSettingsWindow = void (*)(SettingsHost& host, QWidget* parent);
inline constexpr char OpenSettingsWindowName[] = "tolvanoOpenSettingsWindow";

// The settings window: language, voice, letters, clock, pictures, themes, the check, worksheets.
#pragma once

// A grown-up changes here what the game plays with, and each change is written into tolvano.conf
// at once: there is no "save" to forget, and the game follows it from the next round. The window
// reads everything it shows from the host's paths, so that after each change it shows what the
// game now does (in the new language after a language change). The slow work (the folder check,
// counting the user's pictures) runs off the GUI thread: the window opens at once.

#include "folder_check.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QStringList>
#include <QUrl>
#include <array>
#include <atomic>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class SettingsHost;
struct UserSettings;

class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit SettingsWindow(SettingsHost& host, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // Shows a folder in the file manager; tests put in their own, so that nothing is launched.
    std::function<void(const QUrl& folder)> openFolder;
    // Opens the worksheets window over this one.
    std::function<void()> openWorksheets;

  private:
    void buildControls();
    void showTexts();
    void showSettings();
    void showThemes(const QString& chosen);
    void countMyPictures();
    UserSettings chosenSettings() const;
    void save();

    void openMyPictures();
    void checkPictures();
    void checkDone();
    void showEverything();

    SettingsHost& m_host;
    QStringList m_texts;

    QGroupBox* m_languageBox = nullptr;
    QComboBox* m_language = nullptr;
    QGroupBox* m_voiceBox = nullptr;
    QButtonGroup* m_voice = nullptr; // ids: Speaking's values
    std::array<QRadioButton*, 3> m_voiceButtons{};
    QCheckBox* m_lowerCase = nullptr;
    QCheckBox* m_plainLetters = nullptr;
    bool m_lettersChosen = false; // the grown-up clicked the letters' box in this window
    QGroupBox* m_timeBox = nullptr;
    QButtonGroup* m_time = nullptr; // ids: the seconds a word
    std::array<QRadioButton*, 4> m_timeButtons{};
    QGroupBox* m_picturesBox = nullptr;
    QButtonGroup* m_pictures = nullptr; // ids: 1 for only mine
    std::array<QRadioButton*, 2> m_picturesButtons{};
    QPushButton* m_openPictures = nullptr;
    QLabel* m_usable = nullptr;
    QGroupBox* m_themeBox = nullptr;
    QComboBox* m_theme = nullptr; // data: a theme's folder name, empty for all pictures
    QCheckBox* m_themeRow = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_showEverything = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QPushButton* m_printSheets = nullptr;
    QLabel* m_notSaved = nullptr;
    QPushButton* m_back = nullptr;

    QFutureWatcher<int> m_counting;
    // Tells a count still running for a window that has closed to stop.
    std::shared_ptr<std::atomic_bool> m_stopCounting;
    QFutureWatcher<check::FolderReport> m_checking;
    check::FolderReport m_checked;
};

// The settings window: builds its controls, shows the host's settings, writes each change at once.
#include "settings_window.h"

#include "asset_paths.h"
#include "focus_ring.h"
#include "game_font.h"
#include "layout.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "play_settings.h"
#include "settings_host.h"
#include "text_file.h"
#include "texts_file.h"
#include "units.h"
#include "user_settings.h"
#include "worksheets_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>
#include <cstdlib>

namespace {

// Readable by a grown-up at arm's length on the menu's 1,024 x 768 screen; it grows as the menu's
// texts do on a larger one.
constexpr double FontPoints = 12;
// The menu's size with its frame, in twips: this window's font grows by the menu's factor.
constexpr double MenuWidth = 8235, MenuHeight = 5640;

constexpr int AllPictures = 0, OnlyMine = 1;

double fontScale(const QWidget* beside) {
    const QScreen* screen = beside ? beside->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return windowScale(MenuWidth, MenuHeight, units::toTwips(area.width()),
                       units::toTwips(area.height()));
}

// A language's name in its own words: "español" for es, "English" for en, "British English" for
// en-GB; empty for a code that is no language. Qt 6.4 names some languages by their main country
// ("español de España", "American English"), which a code without a country does not mean: such a
// code takes the world-wide variant where Qt has one (en_001), else the name without its country.
QString nativeName(const QString& code) {
    const QLocale locale(code);
    if (locale.language() == QLocale::C) return {};
    QString name = locale.nativeLanguageName();
    if (code.contains(u'-') || code.contains(u'_')) return name;
    const QLocale world(locale.language(), QLocale::World);
    if (world.language() == locale.language() && world.territory() == QLocale::World)
        return world.nativeLanguageName();
    const QString country = u' ' + locale.nativeTerritoryName();
    if (country.size() > 1 && name.endsWith(country)) {
        name.chop(country.size());
        // and the little word before it: "de", "do", "of"
        const qsizetype space = name.lastIndexOf(u' ');
        if (space > 0 && name.size() - space - 1 <= 3) name.truncate(space);
    }
    return name;
}

// "Español", "Deutsch": the set's language in its own words, from the set's lengua.txt (its
// folder's name where that says none). A set whose folder is not named by its code (a teacher's
// "clase3" in Spanish) keeps the folder's name beside it, "Español (clase3)", which tolvano.conf
// holds, so that two sets of one language are told apart.
QString setLabel(const assets::AssetPaths& paths, const QString& set) {
    const QString code = LineFile(paths.roots().texts + QStringLiteral("/idiomas/") + set +
                                  QStringLiteral("/configuracion/lengua.txt"))
                             .readLine()
                             .value_or(QString())
                             .trimmed();
    QString language = nativeName(code.isEmpty() ? set : code);
    if (language.isEmpty()) return set;
    language[0] = language[0].toUpper();
    if (code.isEmpty() || code.compare(set, Qt::CaseInsensitive) == 0) return language;
    return QStringLiteral("%1 (%2)").arg(language, set);
}

// The time the game gives a word now: tolvano.conf's, or the one of the four nearest to the speed
// file's interval (a speed file the clock refuses leaves the default running).
int shownSeconds(const assets::AssetPaths& paths, const PlaySettings& play) {
    if (paths.userSettings().secondsPerWord) return *paths.userSettings().secondsPerWord;
    if (!play.runnerInterval) return SecondsNormal;
    if (*play.runnerInterval <= 0) return SecondsNoClock;
    const int interval = *play.runnerInterval;
    int nearest = SecondsNormal;
    for (const int seconds : {SecondsSlow, SecondsNormal, SecondsFast})
        if (std::abs(runnerIntervalFor(seconds) - interval) <
            std::abs(runnerIntervalFor(nearest) - interval))
            nearest = seconds;
    return nearest;
}

// The user's pictures a round could draw, counted as the game lists and tests them.
int usablePictures(const QString& folder, const LetterRule& rule, const std::atomic_bool& stop) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return 0;
    DiskPictureFolder pictures(folder, &canShowPicture);
    int count = 0;
    for (const QString& name : pictures.listing()) {
        if (stop) break;
        if (givesPlaceableWord(name, rule) && pictures.isPicture(name)) ++count;
    }
    return count;
}

QRadioButton* addRadio(QButtonGroup* group, int id, QWidget* parent) {
    auto* button = new QRadioButton(parent);
    group->addButton(button, id);
    return button;
}

void label(QAbstractButton* control, const QString& text) {
    control->setText(text);
    control->setAccessibleName(text);
}

} // namespace

SettingsWindow::SettingsWindow(SettingsHost& host, QWidget* parent)
    : QDialog(parent), openFolder([](const QUrl& folder) { QDesktopServices::openUrl(folder); }),
      openWorksheets([this] { WorksheetsWindow(m_host.paths(), this).exec(); }), m_host(host),
      m_stopCounting(std::make_shared<std::atomic_bool>(false)) {
    setObjectName(QStringLiteral("SettingsWindow"));
    setFont(arial(FontPoints * fontScale(parent)));
    FocusRing::follow(this);
    buildControls();
    showTexts();
    showSettings();
}

SettingsWindow::~SettingsWindow() {
    m_stopCounting->store(true);
}

// Made in the Tab order: the settings down the left, then the check and the way out on the right.
void SettingsWindow::buildControls() {
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);

    m_languageBox = new QGroupBox(this);
    m_language = new QComboBox(m_languageBox);
    (new QVBoxLayout(m_languageBox))->addWidget(m_language);
    connect(m_language, &QComboBox::activated, this, &SettingsWindow::save);
    left->addWidget(m_languageBox);

    m_voiceBox = new QGroupBox(this);
    m_voice = new QButtonGroup(this);
    auto* voiceLayout = new QGridLayout(m_voiceBox);
    for (const Speaking speaking : {Speaking::On, Speaking::RecordingsOnly, Speaking::Off}) {
        const int i = static_cast<int>(speaking);
        m_voiceButtons[i] = addRadio(m_voice, i, m_voiceBox);
        voiceLayout->addWidget(m_voiceButtons[i], 0, i);
    }
    m_lowerCase = new QCheckBox(m_voiceBox);
    voiceLayout->addWidget(m_lowerCase, 1, 0, 1, 3);
    m_plainLetters = new QCheckBox(m_voiceBox);
    voiceLayout->addWidget(m_plainLetters, 2, 0, 1, 3);
    connect(m_voice, &QButtonGroup::idClicked, this, &SettingsWindow::save);
    connect(m_lowerCase, &QCheckBox::clicked, this, &SettingsWindow::save);
    connect(m_plainLetters, &QCheckBox::clicked, this, [this] {
        m_lettersChosen = true;
        save();
    });
    left->addWidget(m_voiceBox);

    m_timeBox = new QGroupBox(this);
    m_time = new QButtonGroup(this);
    auto* timeLayout = new QGridLayout(m_timeBox);
    const std::array<int, 4> times{SecondsSlow, SecondsNormal, SecondsFast, SecondsNoClock};
    for (int i = 0; i < int(times.size()); ++i) {
        m_timeButtons[i] = addRadio(m_time, times[i], m_timeBox);
        timeLayout->addWidget(m_timeButtons[i], i / 2, i % 2);
    }
    connect(m_time, &QButtonGroup::idClicked, this, &SettingsWindow::save);
    left->addWidget(m_timeBox);

    m_picturesBox = new QGroupBox(this);
    m_pictures = new QButtonGroup(this);
    auto* picturesLayout = new QGridLayout(m_picturesBox);
    for (const int id : {AllPictures, OnlyMine}) {
        m_picturesButtons[id] = addRadio(m_pictures, id, m_picturesBox);
        picturesLayout->addWidget(m_picturesButtons[id], 0, id);
    }
    m_openPictures = new QPushButton(m_picturesBox);
    m_usable = new QLabel(m_picturesBox);
    m_usable->setTextFormat(Qt::PlainText);
    m_usable->setWordWrap(true);
    picturesLayout->addWidget(m_openPictures, 1, 0, 1, 2);
    picturesLayout->addWidget(m_usable, 2, 0, 1, 2);
    connect(m_pictures, &QButtonGroup::idClicked, this, &SettingsWindow::save);
    connect(m_openPictures, &QPushButton::clicked, this, &SettingsWindow::openMyPictures);
    connect(&m_counting, &QFutureWatcher<int>::finished, this, [this] {
        m_usable->setText(textOf(m_texts, TextId::MyPicturesUsable).arg(m_counting.result()));
    });
    left->addWidget(m_picturesBox);

    m_themeBox = new QGroupBox(this);
    m_theme = new QComboBox(m_themeBox);
    m_themeRow = new QCheckBox(m_themeBox);
    auto* themeLayout = new QVBoxLayout(m_themeBox);
    themeLayout->addWidget(m_theme);
    themeLayout->addWidget(m_themeRow);
    connect(m_theme, &QComboBox::activated, this, &SettingsWindow::save);
    connect(m_themeRow, &QCheckBox::clicked, this, &SettingsWindow::save);
    left->addWidget(m_themeBox);
    left->addStretch();

    auto* checkRow = new QHBoxLayout;
    m_check = new QPushButton(this);
    m_showEverything = new QPushButton(this);
    m_showEverything->setEnabled(false);
    checkRow->addWidget(m_check);
    checkRow->addWidget(m_showEverything);
    right->addLayout(checkRow);
    m_report = new QPlainTextEdit(this);
    m_report->setReadOnly(true);
    m_report->setMinimumWidth(m_report->fontMetrics().averageCharWidth() * 50);
    right->addWidget(m_report, 1);
    connect(m_check, &QPushButton::clicked, this, &SettingsWindow::checkPictures);
    connect(m_showEverything, &QPushButton::clicked, this, &SettingsWindow::showEverything);
    connect(&m_checking, &QFutureWatcher<check::FolderReport>::finished, this,
            &SettingsWindow::checkDone);

    m_printSheets = new QPushButton(this);
    right->addWidget(m_printSheets);
    connect(m_printSheets, &QPushButton::clicked, this, [this] {
        if (openWorksheets) openWorksheets();
    });

    m_notSaved = new QLabel(this);
    m_notSaved->setTextFormat(Qt::PlainText);
    m_notSaved->setWordWrap(true);
    m_notSaved->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_notSaved->hide();
    m_back = new QPushButton(this);
    m_back->setDefault(true);
    connect(m_back, &QPushButton::clicked, this, &QDialog::accept);

    auto* window = new QVBoxLayout(this);
    window->addLayout(columns, 1);
    window->addWidget(m_notSaved);
    window->addWidget(m_back, 0, Qt::AlignRight);
}

// Every text in the active set's language, read again after a change of set.
void SettingsWindow::showTexts() {
    const assets::AssetPaths& paths = m_host.paths();
    m_texts = readTexts(paths.file(assets::TextsFile), paths.language());
    const auto text = [this](TextId id) { return textOf(m_texts, id); };
    setWindowTitle(text(TextId::Settings));
    m_languageBox->setTitle(text(TextId::SettingsLanguage));
    m_language->setAccessibleName(text(TextId::SettingsLanguage));
    m_voiceBox->setTitle(text(TextId::SettingsVoice));
    label(m_voiceButtons[int(Speaking::On)], text(TextId::VoiceOn));
    label(m_voiceButtons[int(Speaking::RecordingsOnly)], text(TextId::VoiceRecordings));
    label(m_voiceButtons[int(Speaking::Off)], text(TextId::VoiceOff));
    label(m_lowerCase, text(TextId::LowerCaseLetters));
    label(m_plainLetters, text(TextId::PlainLetters));
    m_timeBox->setTitle(text(TextId::SettingsTime));
    const std::array<TextId, 4> times{TextId::TimeSlow, TextId::TimeNormal, TextId::TimeFast,
                                      TextId::TimeNone};
    for (int i = 0; i < int(times.size()); ++i)
        label(m_timeButtons[i], text(times[i]));
    m_picturesBox->setTitle(text(TextId::SettingsPictures));
    label(m_picturesButtons[AllPictures], text(TextId::PicturesAll));
    label(m_picturesButtons[OnlyMine], text(TextId::PicturesMine));
    label(m_openPictures, text(TextId::OpenMyPictures));
    m_themeBox->setTitle(text(TextId::SettingsTheme));
    m_theme->setAccessibleName(text(TextId::SettingsTheme));
    label(m_themeRow, text(TextId::ThemeRowShown));
    label(m_check, text(TextId::CheckPictures));
    label(m_showEverything, text(TextId::ShowEverything));
    m_report->setAccessibleName(text(TextId::CheckPictures));
    label(m_printSheets, text(TextId::PrintSheets));
    label(m_back, text(TextId::BackToGame));
}

// What the game plays with now, whichever file each setting comes from. Set this way, the
// controls send no signal: only a grown-up's own choice is written.
void SettingsWindow::showSettings() {
    const assets::AssetPaths& paths = m_host.paths();
    const PlaySettings play = playSettings(paths);
    m_language->clear();
    for (const QString& set : paths.setNames())
        m_language->addItem(setLabel(paths, set), set);
    m_language->setCurrentIndex(m_language->findData(paths.set().name));
    m_voice->button(static_cast<int>(play.speaking))->setChecked(true);
    m_lowerCase->setChecked(play.lowerCase);
    m_plainLetters->setChecked(play.letters.style == LetterStyle::Plain);
    m_time->button(shownSeconds(paths, play))->setChecked(true);
    m_pictures->button(play.onlyMine ? OnlyMine : AllPictures)->setChecked(true);
    m_openPictures->setEnabled(!paths.userPictureFolder().isEmpty());
    showThemes(play.theme);
    m_themeRow->setChecked(play.themeRow);
    countMyPictures();
}

// "All", then the themes of the pictures the game plays from now. A class's theme that these
// folders lack (another language's, say) stays in the list as chosen, so that what the file holds
// is what the window shows.
void SettingsWindow::showThemes(const QString& chosen) {
    m_theme->clear();
    m_theme->addItem(textOf(m_texts, TextId::PicturesAll), QString());
    LayeredPictureFolder pictures(m_host.paths().pictureFolders(), &canShowPicture);
    for (const Theme& theme : themesIn(pictures))
        m_theme->addItem(theme.name, theme.name);
    int at = m_theme->findData(chosen, Qt::UserRole, Qt::MatchFixedString);
    if (at < 0) {
        m_theme->addItem(chosen, chosen);
        at = m_theme->count() - 1;
    }
    m_theme->setCurrentIndex(at);
}

// Counted off the GUI thread: a folder of thousands of photos must not hold the window up.
void SettingsWindow::countMyPictures() {
    const assets::AssetPaths& paths = m_host.paths();
    m_stopCounting->store(true);
    m_stopCounting = std::make_shared<std::atomic_bool>(false);
    if (!paths.userFolders().problem.isEmpty()) {
        m_counting.setFuture(QFuture<int>());
        m_usable->setText(paths.userFolders().problem);
        return;
    }
    m_usable->setText(textOf(m_texts, TextId::MyPicturesUsable).arg(QStringLiteral("…")));
    m_counting.setFuture(
        QtConcurrent::run([folder = paths.userPictureFolder(), rule = playSettings(paths).letters,
                           stop = m_stopCounting] { return usablePictures(folder, rule, *stop); }));
}

UserSettings SettingsWindow::chosenSettings() const {
    UserSettings settings;
    const QString set = m_language->currentData().toString();
    if (!set.isEmpty()) settings.language = set;
    settings.voice = static_cast<Speaking>(m_voice->checkedId());
    settings.lowerCase = m_lowerCase->isChecked();
    // Written only once chosen: until then each language keeps its own default, so a change of
    // set does not carry the last set's letters over.
    if (m_lettersChosen)
        settings.letters =
            m_plainLetters->isChecked() ? LetterStyle::Plain : LetterStyle::AsWritten;
    settings.secondsPerWord = m_time->checkedId();
    settings.onlyMine = m_pictures->checkedId() == OnlyMine;
    settings.theme = m_theme->currentData().toString();
    settings.themeRowShown = m_themeRow->isChecked();
    return settings;
}

// Where the file cannot be written, the game plays on as it did, and the control stays as chosen
// so that the grown-up sees what was not kept.
void SettingsWindow::save() {
    const QString file = m_host.paths().settingsFile();
    if (const std::optional<QString> problem = writeUserSettings(file, chosenSettings())) {
        m_notSaved->setText(textOf(m_texts, TextId::SettingsNotSaved)
                                .arg(QDir::toNativeSeparators(file), *problem));
        m_notSaved->show();
        return;
    }
    m_notSaved->hide();
    m_host.settingsChanged();
    showTexts();
    showSettings();
}

void SettingsWindow::openMyPictures() {
    const QString folder = m_host.paths().userPictureFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    openFolder(QUrl::fromLocalFile(folder));
}

// Run off the GUI thread on a copy of the paths: the window stays live, and a change of setting
// meanwhile does not change what is being checked.
void SettingsWindow::checkPictures() {
    m_check->setEnabled(false);
    m_showEverything->setEnabled(false);
    m_report->setPlainText(textOf(m_texts, TextId::Checking));
    m_checking.setFuture(
        QtConcurrent::run([paths = m_host.paths()] { return check::checkFolderWithVoice(paths); }));
}

void SettingsWindow::checkDone() {
    m_checked = m_checking.result();
    m_report->setPlainText(check::formatSummary(m_checked));
    m_check->setEnabled(true);
    m_showEverything->setEnabled(true);
}

void SettingsWindow::showEverything() {
    m_report->setPlainText(check::formatReport(m_checked));
}

// The level menu: builds its controls, loads the level texts and pictures, answers its buttons.
#include "level_menu.h"

#include "asset_paths.h"
#include "colours.h"
#include "game_font.h"
#include "gif_control.h"
#include "hold_button.h"
#include "language_file.h"
#include "layout.h"
#include "module1.h"
#include "navigation.h"
#include "picture_loader.h"
#include "screen_area.h"
#include "text_file.h"
#include "texts_file.h"
#include "units.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

constexpr Colour MenuBack = 0xC0FFFF;  // light yellow
constexpr Colour LevelBack = 0xFFFFFF; // white
constexpr Colour PlayBack = 0xC0C0FF;  // light red
constexpr Colour ExitBack = 0x0000FF;  // red
constexpr Colour ExitText = 0xFFFFFF;  // white reads best on the red button

constexpr double ClientWidth = 8115;
constexpr double ClientHeight = 5070;
constexpr TwipsRect AnimationRect{600, 480, 2055, 1935};
constexpr TwipsRect DescriptionRect{2400, 240, 5535, 2295};
constexpr TwipsRect PlayRect{120, 4200, 3855, 735};
constexpr TwipsRect ExitRect{4080, 4200, 3855, 735};

// The settings' gear, a twentieth of the width, in the one corner with room for it: the
// description reaches to 180 twips from the right edge and 240 from the top, so the top right has
// none. Left of the animation the menu is bare down to the level buttons, and the gear stands
// there in line with the first of them. Its hint shows beside it, above the animation (which
// starts at 480) and left of the description (2400), where a hint of a few words has room.
constexpr TwipsRect GearRect{120, 60, 405, 405};
constexpr double HintGap = 90;

// The six level buttons stand in one row, 105 twips apart.
TwipsRect levelButtonRect(int i) {
    return {120.0 + 1320.0 * i, 2640, 1215, 1455};
}

// The animation reaches 255 twips into the description's box; the text starts clear of it.
constexpr double DescriptionIndent =
    AnimationRect.Left + AnimationRect.Width - DescriptionRect.Left + 90;

// The room the level picture leaves for the button's rounded border.
constexpr int IconMargin = 8;

// What the window manager adds around the client area: a border, and a title bar above.
constexpr double FrameWidth = 120;
constexpr double FrameHeight = 570;

// A style sheet is the one way Qt reliably paints a button's back colour on every style; the
// buttons keep a rounded border and darken while pressed so that a child sees the press.
QString menuStyleSheet() {
    const auto colour = [](Colour c) { return toQColor(c).name(); };
    const auto pressed = [](Colour c) { return toQColor(c).darker(125).name(); };
    return QStringLiteral("#Form3 { background-color: %1; }"
                          "#Label1 { color: black; background: transparent; }"
                          "#GearHint { color: black; background-color: white;"
                          " border: 1px solid #808080; border-radius: 4px; padding: 1px 4px; }"
                          "QPushButton { border: 2px solid #808080; border-radius: 10px; }"
                          "QPushButton:hover, QPushButton:focus { border-color: #3a6fd8; }"
                          "QPushButton#Command1 { background-color: %2; }"
                          "QPushButton#Command1:pressed { background-color: %3; }"
                          "QPushButton#Command1:checked { border: 4px solid #3a6fd8; }"
                          "QPushButton#Command2 { background-color: %4; color: black; }"
                          "QPushButton#Command2:pressed { background-color: %5; }"
                          "QPushButton#Command3 { background-color: %6; color: %7; }"
                          "QPushButton#Command3:pressed { background-color: %8; }")
        .arg(colour(MenuBack), colour(LevelBack), pressed(LevelBack), colour(PlayBack),
             pressed(PlayBack), colour(ExitBack), colour(ExitText), pressed(ExitBack));
}

QPushButton* makeButton(QDialog* parent, const char* name, const TwipsRect& place) {
    auto* button = new QPushButton(parent);
    button->installEventFilter(parent); // for the stray clicks as the menu opens
    button->setObjectName(QLatin1String(name));
    button->setGeometry(toPixelRect(place));
    return button;
}

// What presses a button: the mouse, or Enter and Space on the button that has the focus.
bool isPress(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    default:
        return false;
    }
}

bool isKeyRepeat(const QEvent* event) {
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
           static_cast<const QKeyEvent*>(event)->isAutoRepeat();
}

// -1 for Left and Up, +1 for Right and Down, 0 for any other event.
int arrowStep(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return 0;
    switch (static_cast<const QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return 1;
    default:
        return 0;
    }
}

} // namespace

Form3::Form3(Navigation& navigation, Module1& module1, const assets::AssetPaths& paths,
             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_navigation(navigation), m_module1(module1), m_paths(paths) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tolvano 2.0"));
    const QRect area = screenArea(parent);
    m_scale = windowScale(ClientWidth + FrameWidth, ClientHeight + FrameHeight,
                          units::toTwips(area.width()), units::toTwips(area.height()));
    setFixedSize(units::toPixels(ClientWidth * m_scale), units::toPixels(ClientHeight * m_scale));
    buildControls();
    setStyleSheet(menuStyleSheet());
    Form_Load();
}

// The controls are made in the Tab order: the level buttons, play, exit. Qt lets Tab stop only at
// the focused one of a row of auto-exclusive buttons, so Tab goes from the level to play.
void Form3::buildControls() {
    for (int i = 0; i < LevelCount; ++i) {
        // One object name for the whole array, so that one style rule paints all six.
        QPushButton* button = makeButton(this, "Command1", scaled(levelButtonRect(i), m_scale));
        // The current level's button stays marked, one at a time, whether it has the focus or not.
        button->setCheckable(true);
        button->setAutoExclusive(true);
        // Enter on a level button goes on to the dialog's default button, play.
        button->setAutoDefault(false);
        button->setIconSize(button->size() - QSize(IconMargin, IconMargin));
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[i] = button;
    }

    Marchoso1 = new GifControl(this);
    Marchoso1->setObjectName(QStringLiteral("Marchoso1"));
    const TwipsRect animation = scaled(AnimationRect, m_scale);
    Marchoso1->setSizeTwips(animation.Width, animation.Height);
    Marchoso1->setLeft(animation.Left);
    Marchoso1->setTop(animation.Top);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toPixelRect(scaled(DescriptionRect, m_scale)));
    Label1->setFont(arial(18 * m_scale));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setContentsMargins(units::toPixels(DescriptionIndent * m_scale), 0, 0, 0);
    // Texts come from a file a teacher edits: never interpret them as markup.
    Label1->setTextFormat(Qt::PlainText);

    Command2 = makeButton(this, "Command2", scaled(PlayRect, m_scale));
    Command2->setFont(arial(18 * m_scale, true));
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    Command3 = makeButton(this, "Command3", scaled(ExitRect, m_scale));
    Command3->setFont(arial(18 * m_scale, true));
    // An auto-default button is the default only while it has the focus: Enter exits there alone.
    Command3->setAutoDefault(true);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);

    // Made last, and never focused: the Tab order above stays the children's path.
    Gear = new HoldButton(this);
    Gear->setObjectName(QStringLiteral("Gear"));
    Gear->installEventFilter(this); // for the stray clicks, as the buttons
    Gear->setGeometry(toPixelRect(scaled(GearRect, m_scale)));
    connect(Gear, &HoldButton::held, this, &Form3::openSettings);
    connect(Gear, &HoldButton::tapped, this, &Form3::showGearHint);

    GearHint = new QLabel(this);
    GearHint->setObjectName(QStringLiteral("GearHint"));
    GearHint->setFont(arial(10 * m_scale));
    GearHint->setTextFormat(Qt::PlainText);
    GearHint->setAlignment(Qt::AlignCenter);
    GearHint->hide();
    m_hintTimer.setObjectName(QStringLiteral("GearHintTimer"));
    m_hintTimer.setSingleShot(true);
    m_hintTimer.setInterval(HintMs);
    connect(&m_hintTimer, &QTimer::timeout, GearHint, &QWidget::hide);

    // Ctrl+comma, and the platform's own key for preferences where it has another.
    QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_Comma)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Preferences))
        if (!keys.contains(key)) keys << key;
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, this);
        // A held key opens the window once, not again as soon as it closes.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, &Form3::openSettings);
    }
}

// Every step may fail on its own (a missing file, a read past the end) and is then skipped. A
// button text that the language file lacks is the game's own text for that button, never another
// button's: a red button reading "Jugar" would end the game for a child who wanted to play.
void Form3::Form_Load() {
    centreOnScreen();
    loadTexts();
    // The current level's button is marked and has the focus, where the description says it is.
    Command1[m_module1.Level % LevelCount]->setChecked(true);
    Command1[m_module1.Level % LevelCount]->setFocus();
    // The texts show at once; the level pictures may take a moment to load.
    repaint();
    showLevelPictures();
}

// Everything the paths give but the level pictures.
void Form3::loadTexts() {
    showLevel(m_module1.Level + 1);
    const LanguageFile language = m_paths.languageFile();
    Command2->setText(language.shown(LanguageItem::Play));
    Command3->setText(language.shown(LanguageItem::Exit));
    m_texts = ::readTexts(m_paths.file(assets::TextsFile), m_paths.language());
    Gear->setAccessibleName(textOf(m_texts, TextId::Settings));
    Gear->setAccessibleDescription(textOf(m_texts, TextId::HoldHint));
    GearHint->setText(textOf(m_texts, TextId::HoldHint));
    // Beside the gear, centred on it, as wide as its text; a teacher's long text is cut at the
    // window's edge.
    const QRect gear = Gear->geometry();
    const int left = gear.right() + 1 + units::toPixels(HintGap * m_scale);
    const QSize size = GearHint->sizeHint();
    GearHint->setGeometry(left, gear.center().y() - size.height() / 2,
                          std::min(size.width(), width() - left), size.height());
}

void Form3::usePaths(const assets::AssetPaths& paths) {
    m_paths = paths;
    loadTexts();
    repaint();
    showLevelPictures();
}

void Form3::openSettings() {
    GearHint->hide();
    // The settings window runs its own loop, in which anything may happen to this menu.
    const QPointer<Form3> self(this);
    const bool changed = m_navigation.openSettings(this);
    if (!self || !changed) return;
    if (const assets::AssetPaths* paths = m_navigation.currentPaths()) usePaths(*paths);
}

void Form3::showGearHint() {
    GearHint->show();
    GearHint->raise();
    m_hintTimer.start();
}

void Form3::Command1_Click(int Index) {
    if (Index < 0 || Index >= LevelCount) return;
    showLevel(Index + 1);
    m_module1.Level = static_cast<std::uint8_t>(Index);
    Command1[Index]->setChecked(true);
    repaint();
}

void Form3::Command2_Click() {
    if (m_leaving) return; // a second press (a double-click, a repeated key) starts no second round
    // The game screen's start-up may close this menu itself, and may even delete it.
    m_leaving = true;
    const QPointer<Form3> self(this);
    if (m_navigation.gameScreenVisible())
        m_navigation.enableGameTimer3();
    else
        m_navigation.loadGameScreen();
    if (self) accept();
}

void Form3::Command3_Click() {
    // Quitting may ask every window to close first; this one must then agree.
    m_leaving = true;
    m_navigation.quit();
}

void Form3::reject() {}

void Form3::ignoreStrayClicks(int ms) {
    m_strayClicks.start(ms);
}

// A held Enter repeats its press: without the repeats ignored, Enter held through the splash would
// play as soon as the stray time is over.
bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (isPress(event) && (m_strayClicks.stray() || isKeyRepeat(event))) return true;
    // The gear's hint goes at the next press, wherever it is.
    if (event->type() == QEvent::MouseButtonPress) GearHint->hide();
    // The arrows never leave the level buttons, whatever Qt would do with them on play or exit.
    if (const int step = arrowStep(event)) {
        stepLevel(int(std::find(Command1.begin(), Command1.end(), watched) - Command1.begin()),
                  step);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Form3::stepLevel(int from, int step) {
    const int to = from + step;
    if (from >= LevelCount || to < 0 || to >= LevelCount) return;
    Command1[to]->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    Command1_Click(to);
}

void Form3::mousePressEvent(QMouseEvent* event) {
    GearHint->hide();
    QDialog::mousePressEvent(event);
}

void Form3::closeEvent(QCloseEvent* event) {
    if (m_leaving)
        event->accept();
    else
        event->ignore();
}

// Centred by the window's outer size, rounded down in twips. Before the window is first shown
// the window manager has not yet added its frame, so the outer size is the client size then.
void Form3::centreOnScreen() {
    const QRect area = screenArea(parentWidget());
    const QSize outer = frameGeometry().size();
    const double left =
        std::floor((units::toTwips(area.width()) - units::toTwips(outer.width())) / 2);
    const double top =
        std::floor((units::toTwips(area.height()) - units::toTwips(outer.height())) / 2);
    move(area.topLeft() + QPoint(units::toPixels(left), units::toPixels(top)));
}

void Form3::showLevel(int level) {
    Marchoso1->setGifFile(m_paths.levelGif(level));
    QString text;
    readLevelLines(level, text);
    Label1->setText(text);
}

void Form3::readLevelLines(int count, QString& text) const {
    LineFile file(m_paths.file(assets::LevelFile));
    for (int line = 1; line <= count; ++line)
        if (std::optional<QString> read = file.readLine()) text = *read;
}

// A missing picture, or one the loader refuses, leaves its button plain. The icon keeps the
// picture's shape inside the button, so the picture is decoded no larger than that fit.
void Form3::showLevelPictures() {
    for (int k = 1; k <= LevelCount; ++k) {
        QPushButton* button = Command1[k - 1];
        const QString path = m_paths.levelGif(k);
        const std::optional<QSize> natural = pictureSize(path);
        if (!natural) continue;
        const QImage picture =
            loadPicture(path, natural->scaled(button->iconSize(), Qt::KeepAspectRatio));
        if (!picture.isNull()) button->setIcon(QPixmap::fromImage(picture));
    }
}

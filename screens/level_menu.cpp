// The level menu: builds its controls, loads the level texts and pictures, answers its buttons.
#include "level_menu.h"

#include "asset_paths.h"
#include "colours.h"
#include "focus_ring.h"
#include "game_font.h"
#include "gif_control.h"
#include "hold_button.h"
#include "language_file.h"
#include "layout.h"
#include "module1.h"
#include "navigation.h"
#include "picture_loader.h"
#include "picture_words.h"
#include "play_settings.h"
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
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
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

// The row of themes stands where the level buttons stood, as wide as their row, and they move down
// by its band: the rest of the menu keeps its places and the window grows by the band alone. The
// row's height leaves room under its buttons for the scroll bar that many themes bring.
constexpr double ThemeRowHeight = 1095;
constexpr double ThemeBand = ThemeRowHeight + 105;
constexpr TwipsRect ThemeRowRect{120, 2640, 7815, ThemeRowHeight};
constexpr double ThemeGap = 105;

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
                          // The focus has a ring of its own, outside the button (focus_ring.h).
                          "QPushButton:hover { border-color: #3a6fd8; }"
                          "QPushButton#Command1, QPushButton#ThemeButton { background-color: %2; }"
                          "QPushButton#Command1:pressed, QPushButton#ThemeButton:pressed"
                          " { background-color: %3; }"
                          "QPushButton#Command1:checked, QPushButton#ThemeButton:checked"
                          " { border: 4px solid #3a6fd8; }"
                          "#ThemeRow, #ThemeRowContent { background: transparent; border: none; }"
                          "QPushButton#Command2 { background-color: %4; color: black; }"
                          "QPushButton#Command2:pressed { background-color: %5; }"
                          "QPushButton#Command3 { background-color: %6; color: %7; }"
                          "QPushButton#Command3:pressed { background-color: %8; }")
        .arg(colour(MenuBack), colour(LevelBack), pressed(LevelBack), colour(PlayBack),
             pressed(PlayBack), colour(ExitBack), colour(ExitText), pressed(ExitBack));
}

QPushButton* makeButton(QWidget* parent, const char* name, QObject* filter) {
    auto* button = new QPushButton(parent);
    button->installEventFilter(filter); // for the stray clicks as the menu opens, and the arrows
    button->setObjectName(QLatin1String(name));
    return button;
}

TwipsRect movedDown(TwipsRect rect, double by) {
    rect.Top += by;
    return rect;
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

// A picture decoded no larger than it is shown: a row of thirty themes costs thirty small decodes.
// A null image for a missing picture or one the loader refuses.
QImage iconPicture(const QString& path, QSize size) {
    if (path.isEmpty()) return {};
    const std::optional<QSize> natural = pictureSize(path);
    if (!natural) return {};
    return loadPicture(path, natural->scaled(size, Qt::KeepAspectRatio));
}

// The "all" button's picture: the first four themes' pictures in a grid of two by two, and soft
// squares where there are fewer, so that it reads as "a bit of everything".
QImage allThemesPicture(QSize size, const QList<QImage>& themePictures) {
    QList<QImage> pictures;
    for (const QImage& picture : themePictures)
        if (!picture.isNull() && pictures.size() < 4) pictures << picture;
    QImage all(size, QImage::Format_ARGB32_Premultiplied);
    all.fill(Qt::transparent);
    QPainter painter(&all);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize half(size.width() / 2, size.height() / 2);
    const int gap = std::max(1, size.width() / 24);
    const std::array<QColor, 4> squares{QColor(0xf4a6a6), QColor(0xa6d8f4), QColor(0xb8e6a6),
                                        QColor(0xf4dca6)};
    for (int k = 0; k < 4; ++k) {
        const QRect cell = QRect(QPoint(k % 2 * half.width(), k / 2 * half.height()), half)
                               .adjusted(gap, gap, -gap, -gap);
        if (k < pictures.size()) {
            QRect fit(QPoint(), pictures[k].size().scaled(cell.size(), Qt::KeepAspectRatio));
            fit.moveCenter(cell.center());
            painter.drawImage(fit, pictures[k]);
        } else {
            painter.fillRect(cell, squares[k]);
        }
    }
    return all;
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
    buildControls();
    findThemes();
    placeControls();
    setStyleSheet(menuStyleSheet());
    FocusRing::follow(this);
    Form_Load();
}

// The controls are made in the Tab order: the level buttons, play, exit. Qt lets Tab stop only at
// the focused one of a row of auto-exclusive buttons, so Tab goes from the level to play.
void Form3::buildControls() {
    for (int i = 0; i < LevelCount; ++i) {
        // One object name for the whole array, so that one style rule paints all six.
        QPushButton* button = makeButton(this, "Command1", this);
        // The current level's button stays marked, one at a time, whether it has the focus or not.
        button->setCheckable(true);
        button->setAutoExclusive(true);
        // Enter on a level button goes on to the dialog's default button, play.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[i] = button;
    }

    Marchoso1 = new GifControl(this);
    Marchoso1->setObjectName(QStringLiteral("Marchoso1"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Texts come from a file a teacher edits: never interpret them as markup.
    Label1->setTextFormat(Qt::PlainText);

    Command2 = makeButton(this, "Command2", this);
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    Command3 = makeButton(this, "Command3", this);
    // An auto-default button is the default only while it has the focus: Enter exits there alone.
    Command3->setAutoDefault(true);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);

    // Made last, and never focused: the Tab order above stays the children's path.
    Gear = new HoldButton(this);
    Gear->setObjectName(QStringLiteral("Gear"));
    Gear->installEventFilter(this); // for the stray clicks, as the buttons
    connect(Gear, &HoldButton::held, this, &Form3::openSettings);
    connect(Gear, &HoldButton::tapped, this, &Form3::showGearHint);

    GearHint = new QLabel(this);
    GearHint->setObjectName(QStringLiteral("GearHint"));
    GearHint->setTextFormat(Qt::PlainText);
    GearHint->setAlignment(Qt::AlignCenter);
    GearHint->hide();
    m_hintTimer.setObjectName(QStringLiteral("GearHintTimer"));
    m_hintTimer.setSingleShot(true);
    m_hintTimer.setInterval(HintMs);
    connect(&m_hintTimer, &QTimer::timeout, GearHint, &QWidget::hide);

    // The row scrolls by its bar, the wheel or the arrows; only its buttons take the focus.
    ThemeRow = new QScrollArea(this);
    ThemeRow->setObjectName(QStringLiteral("ThemeRow"));
    ThemeRow->setFocusPolicy(Qt::NoFocus);
    ThemeRow->setFrameShape(QFrame::NoFrame);
    ThemeRow->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ThemeRow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ThemeRow->viewport()->setAutoFillBackground(false);
    ThemeRow->hide();

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

// At the design's places without the row of themes; with it, the levels and play and exit stand
// lower by its band, and the whole window scales to the screen by its new height.
void Form3::placeControls() {
    const double band = m_themes.isEmpty() ? 0 : ThemeBand;
    const QRect area = screenArea(parentWidget());
    m_scale = windowScale(ClientWidth + FrameWidth, ClientHeight + band + FrameHeight,
                          units::toTwips(area.width()), units::toTwips(area.height()));
    setFixedSize(units::toPixels(ClientWidth * m_scale),
                 units::toPixels((ClientHeight + band) * m_scale));
    const auto place = [this](QWidget* widget, const TwipsRect& twips) {
        widget->setGeometry(toPixelRect(scaled(twips, m_scale)));
    };
    for (int i = 0; i < LevelCount; ++i) {
        place(Command1[i], movedDown(levelButtonRect(i), band));
        Command1[i]->setIconSize(Command1[i]->size() - QSize(IconMargin, IconMargin));
    }
    const TwipsRect animation = scaled(AnimationRect, m_scale);
    Marchoso1->setSizeTwips(animation.Width, animation.Height);
    Marchoso1->setLeft(animation.Left);
    Marchoso1->setTop(animation.Top);
    place(Label1, DescriptionRect);
    Label1->setFont(arial(18 * m_scale));
    Label1->setContentsMargins(units::toPixels(DescriptionIndent * m_scale), 0, 0, 0);
    place(Command2, movedDown(PlayRect, band));
    Command2->setFont(arial(18 * m_scale, true));
    place(Command3, movedDown(ExitRect, band));
    Command3->setFont(arial(18 * m_scale, true));
    place(Gear, GearRect);
    GearHint->setFont(arial(10 * m_scale));
    place(ThemeRow, ThemeRowRect);
    ThemeRow->setHidden(m_themes.isEmpty());
}

// Themes with no word to give are left out: a child who chose one would play all pictures.
void Form3::findThemes() {
    m_themes.clear();
    if (!playSettings(m_paths).themeRow) return;
    LayeredPictureFolder folder(m_paths.pictureFolders(), &canShowPicture);
    for (const Theme& theme : themesIn(folder))
        if (theme.words > 0) m_themes << theme;
}

// The buttons stand in one line inside the row, as square as the row's height allows once the
// scroll bar has its room. A theme without a picture shows its name instead.
void Form3::showThemes() {
    qDeleteAll(ThemeButtons);
    ThemeButtons.clear();
    delete ThemeRow->takeWidget();
    if (m_themes.isEmpty()) return;
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ThemeRowContent"));
    const int bar = ThemeRow->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                   ThemeRow->horizontalScrollBar());
    const int side = std::max(2 * IconMargin, ThemeRow->height() - bar - 2);
    const int gap = units::toPixels(ThemeGap * m_scale);
    const QSize iconSize(side - IconMargin, side - IconMargin);
    QList<QImage> pictures;
    for (const Theme& theme : m_themes)
        pictures << iconPicture(theme.picture, iconSize);
    int chosen = 0;
    for (int k = 0; k <= m_themes.size(); ++k) {
        QPushButton* button = makeButton(content, "ThemeButton", this);
        button->setGeometry(k * (side + gap), 0, side, side);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAutoDefault(false); // Enter plays, as from a level button
        button->setIconSize(iconSize);
        const QString name = k == 0 ? textOf(m_texts, TextId::ThemeAll) : m_themes[k - 1].name;
        // A folder's name is no markup and no shortcut: "<b>" and "a&b" show as they are written.
        button->setAccessibleName(name);
        button->setToolTip(Qt::mightBeRichText(name)
                               ? QStringLiteral("<p>%1</p>").arg(name.toHtmlEscaped())
                               : name);
        const QImage picture = k == 0 ? allThemesPicture(iconSize, pictures) : pictures[k - 1];
        if (picture.isNull())
            button->setText(QString(name).replace(u'&', QStringLiteral("&&")));
        else
            button->setIcon(QPixmap::fromImage(picture));
        connect(button, &QPushButton::clicked, this, [this, k] { ThemeButton_Click(k); });
        if (k > 0 && m_themes[k - 1].name.compare(m_module1.Theme, Qt::CaseInsensitive) == 0)
            chosen = k;
        ThemeButtons << button;
    }
    content->setFixedSize(int(ThemeButtons.size()) * (side + gap) - gap, side);
    ThemeRow->setWidget(content);
    ThemeButtons[chosen]->setChecked(true);
    ThemeRow->ensureWidgetVisible(ThemeButtons[chosen]);
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
    showThemes();
}

// Everything the paths give but the level pictures.
void Form3::loadTexts() {
    showLevel(m_module1.Level + 1);
    const LanguageFile language = m_paths.languageFile();
    Command2->setText(language.shown(LanguageItem::Play));
    Command3->setText(language.shown(LanguageItem::Exit));
    m_texts = ::readTexts(m_paths.file(assets::TextsFile), m_paths.language());
    // A screen reader says the level by its number and reads its line, as the description shows it.
    for (int k = 1; k <= LevelCount; ++k) {
        QString line;
        readLevelLines(k, line);
        Command1[k - 1]->setAccessibleName(textOf(m_texts, TextId::LevelButton).arg(k));
        Command1[k - 1]->setAccessibleDescription(line);
    }
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

// The row may come or go with the settings, and the window with it changes its height.
void Form3::usePaths(const assets::AssetPaths& paths) {
    m_paths = paths;
    findThemes();
    placeControls();
    centreOnScreen();
    loadTexts();
    repaint();
    showLevelPictures();
    showThemes();
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

void Form3::ThemeButton_Click(int Index) {
    if (Index < 0 || Index >= ThemeButtons.size()) return;
    m_module1.Theme = Index == 0 ? QString() : m_themes[Index - 1].name;
    ThemeButtons[Index]->setChecked(true);
    ThemeRow->ensureWidgetVisible(ThemeButtons[Index]);
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
    // The arrows never leave their row, whatever Qt would do with them on play or exit.
    const qsizetype theme = ThemeButtons.indexOf(qobject_cast<QPushButton*>(watched));
    if (const int step = arrowStep(event)) {
        if (theme >= 0)
            stepTheme(int(theme), step);
        else
            stepLevel(int(std::find(Command1.begin(), Command1.end(), watched) - Command1.begin()),
                      step);
        return true;
    }
    // A theme reached by Tab is scrolled into sight.
    if (theme >= 0 && event->type() == QEvent::FocusIn)
        ThemeRow->ensureWidgetVisible(ThemeButtons[theme]);
    return QDialog::eventFilter(watched, event);
}

void Form3::stepLevel(int from, int step) {
    const int to = from + step;
    if (from >= LevelCount || to < 0 || to >= LevelCount) return;
    Command1[to]->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    Command1_Click(to);
}

// Tab goes row by row, to the marked button of a row: the themes, the levels, play, exit. Qt's own
// chain would put the row of themes, made last, after exit.
bool Form3::focusNextPrevChild(bool next) {
    const auto marked = [](const auto& row) -> QWidget* {
        for (QPushButton* button : row)
            if (button->isChecked()) return button;
        return row.empty() ? nullptr : row.front();
    };
    QList<QWidget*> stops;
    if (QWidget* theme = marked(ThemeButtons)) stops << theme;
    stops << marked(Command1) << Command2 << Command3;
    QWidget* focus = focusWidget();
    if (ThemeButtons.contains(focus)) focus = stops.front();
    if (std::find(Command1.begin(), Command1.end(), focus) != Command1.end())
        focus = marked(Command1);
    const qsizetype at = stops.indexOf(focus);
    if (at < 0) return QDialog::focusNextPrevChild(next);
    const qsizetype count = stops.size();
    stops[(at + (next ? 1 : count - 1)) % count]->setFocus(next ? Qt::TabFocusReason
                                                                : Qt::BacktabFocusReason);
    return true;
}

void Form3::stepTheme(int from, int step) {
    const int to = from + step;
    if (to < 0 || to >= ThemeButtons.size()) return;
    ThemeButtons[to]->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    ThemeButton_Click(to);
}

void Form3::mousePressEvent(QMouseEvent* event) {
    GearHint->hide();
    QDialog::mousePressEvent(event);
}

// Shown after the splash has gone, the menu is not always activated by the window manager (never
// without one): the keys would still reach its buttons, but the focus ring, which shows only in
// the active window, would not show where they go.
void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
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
        const QImage picture = iconPicture(m_paths.levelGif(k), button->iconSize());
        if (!picture.isNull()) button->setIcon(QPixmap::fromImage(picture));
    }
}

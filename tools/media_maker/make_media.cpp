// Draws the game's animations (as PNG frames plus an ImageMagick argument list per GIF) and its
// window pictures (splash, exit and minimise buttons).
//
// Usage: make_media PICTURE_STORE WORK_DIR
// PICTURE_STORE is the picture store assets/pictures, <theme>/<id>.png (the splash borrows a few
// of its pictures).
// WORK_DIR receives portada.png, salir.png, minimizar.png and, for each GIF, a folder
// (corre/, acierto/, 1/ ... 6/) with frames fNN.png and a file "args": the ImageMagick options
// and frame list, so that `cd WORK_DIR/corre && convert-im6.q16 $(cat args) corre.gif` builds it.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "make_media: %s\n", qPrintable(message));
    std::exit(1);
}

void save(const QImage& img, const QString& path) {
    if (!img.save(path)) fail("cannot write " + path);
}

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// Friendly bold font: DejaVu Sans Bold where present, else Liberation Sans Bold.
QFont boldFont(double pixelSize) {
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans"});
    f.setBold(true);
    f.setPixelSize(int(std::lround(pixelSize)));
    return f;
}

// GIF transparency is all or nothing: pixels at least half covered become opaque in their own
// colour, the others fully transparent, so no pale fringe appears on any background.
QImage hardAlpha(const QImage& src) {
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            line[x] =
                qAlpha(p) >= 128 ? qRgba(qRed(p), qGreen(p), qBlue(p), 255) : qRgba(0, 0, 0, 0);
        }
    }
    return img;
}

// Draws at `scale` times the final size, then shrinks smoothly: cleaner edges at tiny sizes.
class SuperSampled {
  public:
    SuperSampled(int width, int height, int scale)
        : m_image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied),
          m_width(width), m_height(height) {
        m_image.fill(Qt::transparent);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.scale(scale, scale);
    }
    QPainter& painter() { return m_painter; }
    QImage finish() {
        m_painter.end();
        return m_image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

  private:
    QImage m_image;
    QPainter m_painter;
    int m_width;
    int m_height;
};

// One GIF in the making: numbered frames and the ImageMagick arguments that join them.
class GifFrames {
  public:
    GifFrames(const QString& dir, int loops) : m_dir(dir) {
        QDir(dir).removeRecursively();
        if (!QDir().mkpath(dir)) fail("cannot create " + dir);
        // ImageMagick: -loop 0 repeats for ever; -loop 1 leaves out the loop extension, so
        // the file plays once.
        m_args << "-dispose"
               << "Background"
               << "-loop" << QString::number(loops);
    }
    void add(const QImage& frame, int delayMs) {
        const QString name = QString("f%1.png").arg(m_count++, 2, 10, QChar('0'));
        save(frame, m_dir + '/' + name);
        m_args << "-delay" << QString("%1x1000").arg(delayMs) << name;
    }
    void finish() {
        QFile file(m_dir + "/args");
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            fail("cannot write " + file.fileName());
        QTextStream(&file) << m_args.join(' ') << '\n';
    }

  private:
    QString m_dir;
    QStringList m_args;
    int m_count = 0;
};

QPainterPath starPath(QPointF centre, double outer, double inner, double turnDegrees) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = radians(turnDegrees - 90 + i * 36);
        const QPointF p = centre + QPointF(r * std::cos(a), r * std::sin(a));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------------------------------------
// The running figure: a side view, facing right, 8 frames of a run cycle, 49 x 49.

const QColor kOutline(0x2e, 0x1f, 0x3d);

// A limb: a thick rounded stroke with a dark outline.
void limb(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    p.setPen(QPen(kOutline, width + 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

// Unit vector of an angle measured from straight down, positive turning towards the front (+x).
QPointF dir(double degrees) {
    return {std::sin(radians(degrees)), std::cos(radians(degrees))};
}

struct LegColours {
    QColor skin;
    QColor shoe;
};

void drawLeg(QPainter& p, QPointF hip, double phase, const LegColours& c) {
    const double thigh = 40.0 * std::sin(phase);
    const double bend = 12.0 + 80.0 * std::max(0.0, std::cos(phase)); // knee folds while swinging
    const double shin = thigh - bend;
    const QPointF knee = hip + 8.5 * dir(thigh);
    const QPointF ankle = knee + 8.5 * dir(shin);
    const QPointF toe = ankle + 3.8 * QPointF(std::cos(radians(shin)), -std::sin(radians(shin)));
    limb(p, hip, knee, 4.0, c.skin);
    limb(p, knee, ankle, 3.7, c.skin);
    limb(p, ankle - 0.6 * (toe - ankle), toe, 3.4, c.shoe);
}

void drawArm(QPainter& p, QPointF shoulder, double phase, const QColor& skin,
             const QColor& sleeve) {
    const double upper = -45.0 * std::sin(phase);
    const double fore = upper + 95.0; // elbow bent, hand forward and up
    const QPointF elbow = shoulder + 6.5 * dir(upper);
    const QPointF hand = elbow + 5.5 * dir(fore);
    limb(p, shoulder, elbow, 3.4, sleeve);
    limb(p, elbow, hand, 3.2, skin);
}

QImage runnerFrame(double t) {
    SuperSampled canvas(49, 49, 4);
    QPainter& p = canvas.painter();
    const double a = 2 * kPi * t;
    const QPointF hip(22.0, 27.5 + 1.2 * std::cos(2 * a)); // lowest at mid-stride, twice a cycle
    const double lean = 14.0;
    const QPointF shoulder =
        hip + 10.5 * QPointF(std::sin(radians(lean)), -std::cos(radians(lean)));
    const QPointF head = shoulder + QPointF(2.6, -6.8);

    const QColor skin(0xf7, 0xc2, 0x8c), skinBack(0xd8, 0x9a, 0x62);
    const QColor shirt(0xf0, 0x3a, 0x3a), shirtBack(0xb8, 0x22, 0x2a);
    const QColor shorts(0x1e, 0x66, 0xe0);
    const QColor shoe(0xff, 0xc4, 0x00), shoeBack(0xd8, 0x96, 0x00);

    drawArm(p, shoulder, a, skinBack, shirtBack);   // far arm swings with the near leg
    drawLeg(p, hip, a + kPi, {skinBack, shoeBack}); // far leg
    limb(p, hip, shoulder, 8.5, shirt);             // body
    limb(p, hip + QPointF(-0.2, -1.8), hip + QPointF(0.2, 0.6), 8.8, shorts);
    drawLeg(p, hip, a, {skin, shoe}); // near leg

    // Head: outline, face, hair on the back of the head, an eye looking ahead.
    p.setPen(QPen(kOutline, 1.8));
    p.setBrush(skin);
    p.drawEllipse(head, 6.2, 6.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7a, 0x44, 0x1e));
    QPainterPath skull;
    skull.addEllipse(head, 5.3, 5.3);
    QPainterPath cap; // top and back of the head, above a line over the eye
    cap.addPolygon(
        QPolygonF({head + QPointF(-8, -8), head + QPointF(8, -8), head + QPointF(8, -3.2),
                   head + QPointF(1.5, -2.4), head + QPointF(-2.0, 0.5), head + QPointF(-3.0, 8),
                   head + QPointF(-8, 8)}));
    p.drawPath(skull.intersected(cap));
    p.setBrush(kOutline);
    p.drawEllipse(head + QPointF(3.2, -0.4), 1.1, 1.3);

    drawArm(p, shoulder, a + kPi, skin, shirt); // near arm
    return hardAlpha(canvas.finish());
}

void makeRunner(const QString& dir) {
    GifFrames gif(dir, 0);
    constexpr int kFrames = 8;
    for (int i = 0; i < kFrames; ++i)
        gif.add(runnerFrame(double(i) / kFrames), 90);
    gif.finish();
}

// ---------------------------------------------------------------------------------------------
// The success burst: stars and confetti shoot out of the clicked letter and fall, once, 73 x 89.
// The control is placed with its top-left corner on the letter's cell, so the burst starts
// near (20, 20), about the middle of a cell.

struct Particle {
    QPointF velocity; // pixels per frame
    QColor colour;
    bool star;
    double spin;
    double size;
};

// A small fixed pseudo-random sequence, so every run draws the same burst.
class Lcg {
  public:
    double next() {
        m_state = m_state * 1103515245u + 12345u;
        return double((m_state >> 8) & 0xffff) / 65536.0;
    }

  private:
    unsigned m_state = 20240611u;
};

void makeBurst(const QString& dir) {
    const QPointF origin(20, 20);
    const std::array<QColor, 6> colours{QColor(0xff, 0xd0, 0x00), QColor(0xff, 0x4f, 0x6d),
                                        QColor(0x2f, 0xa8, 0xff), QColor(0x3c, 0xc8, 0x4c),
                                        QColor(0xb0, 0x5c, 0xff), QColor(0xff, 0x8a, 0x1c)};
    Lcg rng;
    std::vector<Particle> parts;
    constexpr int kParts = 18;
    for (int i = 0; i < kParts; ++i) {
        // Thrown up and out, mostly to the right and down, where the control has room.
        const double vx = -2.0 + 7.0 * (i + rng.next()) / kParts;
        const double vy = -5.0 + 6.0 * rng.next();
        parts.push_back({QPointF(vx, vy), colours[(i * 5) % colours.size()], i % 2 == 0,
                         360 * rng.next(), i % 2 == 0 ? 4.4 + 1.6 * rng.next() : 2.8 + rng.next()});
    }
    GifFrames gif(dir, 1);
    constexpr int kFrames = 12;
    constexpr double kGravity = 0.7; // pixels per frame, per frame
    for (int f = 0; f < kFrames; ++f) {
        SuperSampled canvas(73, 89, 4);
        QPainter& p = canvas.painter();
        // Sizes pop up at once and shrink away in the last frames (a GIF cannot fade).
        const double fade = f < 7 ? 1.0 : std::max(0.0, 1.0 - (f - 6) / 5.0);
        for (const Particle& part : parts) {
            const double t = f + 1.0;
            const QPointF pos = origin + part.velocity * t + QPointF(0, 0.5 * kGravity * t * t);
            const double size = part.size * fade * (f == 0 ? 0.6 : 1.0);
            if (size < 0.8) continue;
            p.setPen(QPen(part.colour.darker(150), 1.2));
            p.setBrush(part.colour);
            if (part.star) {
                p.drawPath(starPath(pos, size, size * 0.5, part.spin + 25 * f));
            } else {
                p.save();
                p.translate(pos);
                p.rotate(part.spin + 40 * f);
                p.drawRect(QRectF(-size, -size * 0.55, 2 * size, 1.1 * size));
                p.restore();
            }
        }
        if (f < 5) { // the flash on the letter itself
            const double r = std::array<double, 5>{9, 15, 13, 9, 5}[f];
            p.setPen(QPen(QColor(0xe0, 0x80, 0x00), 1.6));
            p.setBrush(QColor(0xff, 0xe0, 0x30));
            p.drawPath(starPath(origin, r, r * 0.45, f * 12));
        }
        gif.add(hardAlpha(canvas.finish()), 80);
    }
    gif.finish();
}

// ---------------------------------------------------------------------------------------------
// The level pictures: a 5 x 5 letter grid with coloured arrows growing from the middle cell in
// each direction its level allows. The first frame shows the finished arrows (the level buttons
// may show only that frame); then the arrows are drawn again from the middle.

struct Direction {
    int dx;
    int dy;
    QColor colour;
};

const Direction kRight{1, 0, QColor(0xe5, 0x39, 0x35)};
const Direction kDown{0, 1, QColor(0x1e, 0x88, 0xe5)};
const Direction kLeft{-1, 0, QColor(0x2e, 0xa0, 0x43)};
const Direction kUp{0, -1, QColor(0xfb, 0x8c, 0x00)};
const Direction kDownRight{1, 1, QColor(0x8e, 0x24, 0xaa)};
const Direction kUpRight{1, -1, QColor(0xd8, 0x1b, 0x60)};
const Direction kUpLeft{-1, -1, QColor(0x00, 0xa5, 0xb5)};
const Direction kDownLeft{-1, 1, QColor(0x6d, 0x4c, 0x41)};

constexpr int kLevelW = 137;
constexpr int kLevelH = 129;
constexpr int kCell = 24;

QPointF cellCentre(int col, int row) {
    const double left = (kLevelW - 5 * kCell) / 2.0;
    const double top = (kLevelH - 5 * kCell) / 2.0;
    return {left + (col + 0.5) * kCell, top + (row + 0.5) * kCell};
}

QPolygonF arrowShape(QPointF from, QPointF to, double shaft, double head) {
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y(), u.x());
    const double headLen = std::min(head * 1.05, len);
    const QPointF neck = to - u * headLen;
    return QPolygonF({from + n * shaft / 2, neck + n * shaft / 2, neck + n * head / 2 * 1.15, to,
                      neck - n * head / 2 * 1.15, neck - n * shaft / 2, from - n * shaft / 2});
}

// progress 0..1: how far the arrows have grown.
QImage levelFrame(const std::vector<Direction>& dirs, double progress) {
    QImage img(kLevelW, kLevelH, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    static const QString letters = "SOLMAGATOPLUNAREDCASIVENO";
    const QPointF mid = cellCentre(2, 2);
    const double reach = 2.0 * progress; // in cells
    // Cells an arrow has reached are tinted in its colour, like letters being read.
    std::array<std::array<QColor, 5>, 5> fill;
    for (auto& row : fill)
        row.fill(QColor(0xf1, 0xf4, 0xf8));
    for (const Direction& d : dirs)
        for (int k = 1; k <= 2; ++k)
            if (k <= reach + 0.35)
                fill[2 + k * d.dy][2 + k * d.dx] = QColor::fromHsvF(d.colour.hsvHueF(), 0.22, 1.0);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 5; ++col) {
            const QPointF c = cellCentre(col, row);
            p.setPen(QPen(QColor(0xcf, 0xd8, 0xe3), 1));
            p.setBrush(fill[row][col]);
            p.drawRoundedRect(
                QRectF(c - QPointF(kCell / 2.0 - 1, kCell / 2.0 - 1), QSizeF(kCell - 2, kCell - 2)),
                4, 4);
            p.setPen(QColor(0x8a, 0x9b, 0xae));
            p.setFont(boldFont(13));
            p.drawText(QRectF(c - QPointF(kCell / 2.0, kCell / 2.0), QSizeF(kCell, kCell)),
                       Qt::AlignCenter, letters.mid(row * 5 + col, 1));
        }
    }
    if (progress > 0) {
        for (const Direction& d : dirs) {
            const QPointF to = mid + QPointF(d.dx, d.dy) * kCell * reach * 1.04;
            const double len = kCell * reach * 1.04 * std::hypot(d.dx, d.dy);
            const QPolygonF shape = arrowShape(mid, to, 7.0, std::min(17.0, 0.7 * len));
            p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(shape);
            p.setPen(QPen(d.colour.darker(135), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(d.colour);
            p.drawPolygon(shape);
        }
    }
    // The starting cell: a dark dot with a white ring, where every arrow begins.
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawEllipse(mid, 6, 6);
    p.end();
    return img;
}

void makeLevel(const QString& dir, const std::vector<Direction>& dirs) {
    GifFrames gif(dir, 0);
    gif.add(levelFrame(dirs, 1.0), 1400); // the still picture: finished arrows
    gif.add(levelFrame(dirs, 0.0), 250);
    constexpr int kGrow = 8;
    for (int i = 1; i <= kGrow; ++i) {
        const double x = double(i) / kGrow;
        gif.add(levelFrame(dirs, 1.0 - (1.0 - x) * (1.0 - x)), 70); // ease out
    }
    gif.finish();
}

// ---------------------------------------------------------------------------------------------
// Window pictures.

// Text with a thick outline and a soft drop shadow.
void outlinedText(QPainter& p, const QString& text, const QFont& font, QPointF centre,
                  const QColor& fill, const QColor& outline, double outlineWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(path.translated(2.5, 3.5));
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

// picture is a store path without its ending, <theme>/<id>.
void drawPicture(QPainter& p, const QString& store, const QString& picture, QPointF centre,
                 double size, double degrees) {
    QImage pic(store + '/' + picture + ".png");
    if (pic.isNull()) fail("missing picture " + picture + ".png in " + store);
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    p.drawImage(QRectF(-size / 2, -size / 2, size, size), pic);
    p.restore();
}

QImage splash(const QString& store) {
    constexpr int W = 487, H = 474;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // A sunny background: a soft gradient with rays from behind the title.
    QLinearGradient sky(0, 0, 0, H);
    sky.setColorAt(0, QColor(0x9f, 0xe3, 0xff));
    sky.setColorAt(0.55, QColor(0xe8, 0xf8, 0xff));
    sky.setColorAt(1, QColor(0xff, 0xf2, 0xb8));
    p.fillRect(img.rect(), sky);
    const QPointF sun(W / 2.0, 220);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    for (int i = 0; i < 16; ++i) {
        QPainterPath ray;
        ray.moveTo(sun);
        ray.arcTo(QRectF(sun - QPointF(500, 500), QSizeF(1000, 1000)), i * 22.5, 11.25);
        ray.closeSubpath();
        p.drawPath(ray);
    }
    QRadialGradient glow(sun, 190);
    glow.setColorAt(0, QColor(255, 255, 255, 200));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glow);
    p.drawEllipse(sun, 190, 190);

    // Pictures around the title.
    struct Placed {
        const char* picture;
        double x, y, size, degrees;
    };
    const Placed around[] = {
        {"animals/cat", 62, 62, 96, -10},     {"nature/sun", 178, 46, 80, 8},
        {"toys/balloon", 300, 50, 84, -6},    {"animals/dog", 423, 64, 96, 10},
        {"animals/penguin", 58, 378, 100, 6}, {"transport/car", 170, 410, 92, -5},
        {"food/apple", 284, 412, 80, 7},      {"animals/butterfly", 410, 380, 100, -8},
    };
    for (const Placed& pl : around)
        drawPicture(p, store, QString::fromUtf8(pl.picture), {pl.x, pl.y}, pl.size, pl.degrees);

    // The name on letter tiles, like a found word on the board.
    const QString name = "TOLVANO";
    const std::array<QColor, 7> tiles{QColor(0xef, 0x44, 0x3d), QColor(0xfb, 0x8c, 0x00),
                                      QColor(0xf9, 0xb7, 0x00), QColor(0x3b, 0xb0, 0x4a),
                                      QColor(0x1e, 0x88, 0xe5), QColor(0x8e, 0x44, 0xc8),
                                      QColor(0xe9, 0x3f, 0x8c)};
    constexpr double tile = 58, gap = 7;
    const double left = (W - (7 * tile + 6 * gap)) / 2.0;
    const QFont tileFont = boldFont(44);
    for (int i = 0; i < 7; ++i) {
        const QPointF c(left + i * (tile + gap) + tile / 2, 178 + (i % 2 ? 5 : -5));
        p.save();
        p.translate(c);
        p.rotate(i % 2 ? 5 : -5);
        const QRectF r(-tile / 2, -tile / 2, tile, tile);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 55));
        p.drawRoundedRect(r.translated(3, 4), 11, 11);
        p.setPen(QPen(Qt::white, 3.5));
        p.setBrush(tiles[i]);
        p.drawRoundedRect(r, 11, 11);
        outlinedText(p, name.mid(i, 1), tileFont, {0, 0}, Qt::white, tiles[i].darker(160), 4);
        p.restore();
    }

    outlinedText(p, "2.0", boldFont(92), {W / 2.0, 282}, QColor(0xff, 0xd5, 0x1f),
                 QColor(0xd8, 0x3a, 0x1e), 9);
    p.end();
    return img;
}

QImage exitButton() {
    SuperSampled canvas(51, 52, 4);
    QPainter& p = canvas.painter();
    const QPointF c(25.5, 26);
    p.setPen(QPen(QColor(0x9e, 0x1b, 0x1b), 1.6));
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawEllipse(c, 17.5, 17.5);
    p.setPen(QPen(Qt::white, 5.2, Qt::SolidLine, Qt::RoundCap));
    const double d = 7.5;
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
    return canvas.finish();
}

QImage minimiseButton() {
    SuperSampled canvas(36, 36, 4);
    QPainter& p = canvas.painter();
    p.setPen(QPen(QColor(0x15, 0x5f, 0xa8), 1.4));
    p.setBrush(QColor(0x1e, 0x88, 0xe5));
    p.drawRoundedRect(QRectF(1.5, 1.5, 33, 33), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(9, 23, 18, 5), 2.5, 2.5);
    return canvas.finish();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) fail("usage: make_media PICTURE_STORE WORK_DIR");
    const QString store = args[1], work = args[2];
    if (!QDir().mkpath(work)) fail("cannot create " + work);

    makeRunner(work + "/corre");
    makeBurst(work + "/acierto");
    const std::vector<std::vector<Direction>> levels{
        {kRight},
        {kRight, kDown},
        {kRight, kDown, kLeft, kUp},
        {kRight, kDown, kLeft, kUp, kDownRight, kUpRight},
        {kRight, kDown, kLeft, kUp, kDownRight, kUpRight, kUpLeft, kDownLeft},
        {kLeft, kUp, kDownRight, kUpRight, kUpLeft, kDownLeft},
    };
    for (size_t i = 0; i < levels.size(); ++i)
        makeLevel(work + '/' + QString::number(i + 1), levels[i]);

    save(splash(store), work + "/portada.png");
    save(exitButton(), work + "/salir.png");
    save(minimiseButton(), work + "/minimizar.png");
    std::printf("make_media: frames and window pictures in %s\n", qPrintable(work));
    return 0;
}

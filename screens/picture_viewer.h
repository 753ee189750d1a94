// The picture viewer Form4: one picture of the round, large, in the middle of the screen.
#pragma once

#include "asset_paths.h"

#include <QDialog>
#include <QString>

class QLabel;

// A white window with a thin border and no title bar, so that a click on the picture is the way to
// close it. Form_Load runs from the constructor: it finds the picture, sizes the window around it
// and centres it on the screen. A picture larger than the screen is shown smaller, keeping its
// proportions, so that the picture which closes the viewer is always on the screen.
class Form4 : public QDialog {
    Q_OBJECT
  public:
    // Shows pictureFile (a name as the picture list gives it) from the picture folder modally and
    // returns when the player has closed it. A picture that cannot be shown (removed meanwhile, no
    // picture at all, no name) opens nothing and returns at once: the game simply goes on.
    static void open(const assets::AssetPaths& paths, const QString& pictureFile, QWidget* parent);
    // QDialog::open() stays available beside the static open above.
    using QDialog::open;

    Form4(const assets::AssetPaths& paths, const QString& pictureFile, QWidget* parent = nullptr);

    // Whether Form_Load found a picture to show.
    bool pictureLoaded() const { return m_loaded; }
    const QString& pictureFile() const { return m_pictureFile; }

    // The window's only control, under its design name; public for the tests.
    QLabel* Picture1 = nullptr;

    // A click on the picture: the viewer closes. Enter, Space and Escape do the same.
    void Picture1_Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();

    const assets::AssetPaths m_paths;
    const QString m_pictureFile;
    bool m_loaded = false;
};

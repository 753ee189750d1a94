// The splash screen Form2: the title picture the program opens on; a click leads to the level menu.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class Navigation;
namespace assets {
class AssetPaths;
}

// Shown once at start, without title bar or controls, until the player clicks on it or presses
// Enter or Space. It deletes itself when it closes (WA_DeleteOnClose), so create it with new.
class Form2 : public QWidget {
    Q_OBJECT
  public:
    Form2(Navigation& navigation, const assets::AssetPaths& paths, QWidget* parent = nullptr);

    // Where a window of the given outer size is centred on a screen of the given size, all in
    // twips: Left = D_W \ 2 and Top = D_H \ 2, where D is the screen's size less the window's,
    // rounded to a 32-bit integer halves-to-even, and \ divides truncating toward zero.
    static QPoint placement(double screenWidth, double screenHeight, double windowWidth,
                            double windowHeight);

    // Any click on the window: the level menu opens and the splash goes.
    void Form_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();

    Navigation& m_navigation;
    QPixmap m_picture; // at the window's scale
};

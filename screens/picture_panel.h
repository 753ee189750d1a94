// The game screen's picture panel: the round's six pictures in two columns beside the board, each
// with its caption, laid out and decoded together at every choice of pictures.
#pragma once

#include "board.h"
#include "layout.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <array>

class CaptionLabel;
class PictureLabel;

// What one slot of the panel shows: a picture's path (empty for none) and the caption under it.
struct PanelSlot {
    QString path;
    QString caption;
};

// The panel fills labels the screen owns; a picture's size is read before its pixels, so that the
// six are laid out first and then decoded at the size they are shown.
class PanelPictures {
  public:
    PanelPictures(const std::array<PictureLabel*, WordSlots>& images,
                  const std::array<CaptionLabel*, WordSlots>& captions);

    // Lays the pictures out where the screen's layout keeps them room (twips), and shows them
    // together. Gives, per slot, whether its picture is shown: a slot that is not stays empty.
    std::array<bool, WordSlots> show(const std::array<PanelSlot, WordSlots>& pictures,
                                     const GameScreenLayout& screen, double screenWidth,
                                     double screenHeight);

  private:
    static std::array<QImage, WordSlots> decodePictures(const std::array<QString, WordSlots>& paths,
                                                        const std::array<QSize, WordSlots>& shown);
    bool showPicture(int k, const QImage& image);

    const std::array<PictureLabel*, WordSlots>& m_images;
    const std::array<CaptionLabel*, WordSlots>& m_captions;
    std::array<QSize, WordSlots> m_naturalSizes{}; // pixels, of the picture each slot shows
};

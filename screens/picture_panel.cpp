// Laying out the picture panel and decoding its six pictures, each on a thread of its own.
#include "picture_panel.h"

#include "caption_label.h"
#include "layout.h"
#include "picture_label.h"
#include "picture_loader.h"
#include "units.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

PanelPictures::PanelPictures(const std::array<PictureLabel*, WordSlots>& images,
                             const std::array<CaptionLabel*, WordSlots>& captions)
    : m_images(images), m_captions(captions) {}

std::array<bool, WordSlots> PanelPictures::show(const std::array<PanelSlot, WordSlots>& pictures,
                                                const GameScreenLayout& screen, double screenWidth,
                                                double screenHeight) {
    std::array<PanelInput, WordSlots> inputs;
    std::array<QString, WordSlots> loaded;
    for (int k = 0; k < WordSlots; ++k) {
        m_images[k]->hide();
        const QString& path = pictures[k].path;
        if (const auto size = pictureSize(path)) {
            m_naturalSizes[k] = *size; // a slot that fails keeps the size it had
            loaded[k] = path;
        }
        m_captions[k]->reveal(false);
        m_captions[k]->setWord(pictures[k].caption);
        inputs[k] = {units::toTwips(m_naturalSizes[k].width()),
                     units::toTwips(m_naturalSizes[k].height()), m_captions[k]->widthPerHeight()};
    }
    const PanelLayout panel = ArrangePictures(screen, screenWidth, screenHeight, inputs);
    std::array<QSize, WordSlots> shown;
    for (int k = 0; k < WordSlots; ++k) {
        m_images[k]->setGeometry(toPixelRect(panel.Image1[k]));
        shown[k] = m_images[k]->size();
    }
    const std::array<QImage, WordSlots> images = decodePictures(loaded, shown);
    std::array<bool, WordSlots> showing{};
    for (int k = 0; k < WordSlots; ++k) {
        showing[k] = showPicture(k, images[k]);
        const CaptionPlace& caption = panel.Label1[k];
        m_captions[k]->place(toPixelRect(caption.box), units::toPixels(caption.letterHeight));
        m_captions[k]->raise();
    }
    for (QLabel* image : m_images)
        image->show();
    return showing;
}

// Decoding a phone photo takes tens of milliseconds even at the shown size, and nearly all of it
// is the JPEG library's work on one picture, so the six are decoded in parallel: one thread a core,
// each taking the next picture when it is done with one, which shares them out as evenly as a
// thread a picture would when one core is busier than another. No more threads than cores: a
// decode holds the picture at its stored size for a moment (a 512 px PNG several megabytes), and
// threads beyond the cores would hold more at once without decoding any sooner. Each image comes
// back scaled to its label, ready to show; empty paths and pictures that fail give null images.
std::array<QImage, WordSlots>
PanelPictures::decodePictures(const std::array<QString, WordSlots>& paths,
                              const std::array<QSize, WordSlots>& shown) {
    std::array<QImage, WordSlots> images;
    std::atomic<int> next{0};
    const auto decodeTheRest = [&images, &paths, &shown, &next] {
        for (int k = next++; k < WordSlots; k = next++) {
            if (paths[k].isEmpty()) continue;
            const QImage image = loadPicture(paths[k], shown[k]);
            if (!image.isNull())
                images[k] = image.scaled(shown[k], Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    };
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    {
        // This thread is one of the decoders: it would only wait otherwise, and each thread more
        // keeps a heap of its own (a megabyte and more) for the rest of the program.
        std::vector<std::jthread> decoders;
        const int others = std::clamp(cores, 1, WordSlots) - 1;
        decoders.reserve(others);
        for (int t = 0; t < others; ++t) {
            // A system out of threads still gets its pictures: this thread decodes what is left.
            try {
                decoders.emplace_back(decodeTheRest);
            } catch (const std::system_error&) {
                break;
            }
        }
        decodeTheRest();
    } // every decoder has finished here
    return images;
}

// A slot whose picture cannot be shown (cut short while copying, removed meanwhile) stays empty
// rather than keep the last round's picture, which would show a different word's picture.
bool PanelPictures::showPicture(int k, const QImage& image) {
    if (!image.isNull()) {
        m_images[k]->setPixmap(QPixmap::fromImage(image));
        return true;
    }
    m_images[k]->clear();
    return false;
}

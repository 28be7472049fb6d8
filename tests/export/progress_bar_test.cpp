#include "export/progress_bar.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <cmath>
#include <filesystem>

#include "fake_ui.h"
#include "qt_base/twips.h"

namespace {

class ProgressDrawing : public ::testing::Test {
 protected:
  ProgressDrawing() {
    window.resize(twips(7380), twips(780));
    bar = new ProgressBar(ui, &window);
    bar->setGeometry(twips_rect(225, 270, 6945, 270));
    window.show();
    progress_reset(*bar);
  }
  int expected_text_top() const {
    const float centre =
        static_cast<float>(bar->scale_height() - QFontMetrics(bar->font()).height()) / 2.0f;
    return static_cast<int>(std::nearbyint(centre));
  }
  // A pixel of the grabbed bar, in the bar's inner coordinates.
  QColor inner_pixel(const QImage& image, int x, int y) const {
    const QPoint origin = bar->contentsRect().topLeft();
    return image.pixelColor(origin.x() + x, origin.y() + y);
  }

  FakeUi ui;
  QWidget window;
  ProgressBar* bar;
};

}  // namespace

TEST_F(ProgressDrawing, TheSlideIsAChildAtTheBarsInnerCorner) {
  EXPECT_EQ(bar->objectName(), "picProgress");
  EXPECT_EQ(bar->slide()->objectName(), "picProgressSlide");
  EXPECT_EQ(bar->slide()->parentWidget(), bar);
  EXPECT_EQ(bar->slide()->pos(), bar->contentsRect().topLeft());
  EXPECT_EQ(bar->slide()->height(), bar->scale_height());
  EXPECT_EQ(bar->scale_width() + 2 * bar->frameWidth(), twips(6945));
}

TEST_F(ProgressDrawing, SlideWidthFollowsThePercentage) {
  progress_draw(*bar, 0, "Copying Files: 1/2");
  EXPECT_EQ(bar->slide()->width(), 0);
  progress_draw(*bar, 50, "Copying Files: 1/2");
  EXPECT_EQ(bar->slide()->width(), std::lround(bar->scale_width() * 0.5f));
  progress_draw(*bar, 100, "Copying Files: 2/2");
  EXPECT_EQ(bar->slide()->width(), bar->scale_width());
  EXPECT_EQ(bar->slide()->height(), bar->scale_height());
}

TEST_F(ProgressDrawing, OutOfRangePercentagesAreHeldToTheEdges) {
  progress_draw(*bar, 250, "x");
  EXPECT_EQ(bar->slide()->width(), bar->scale_width());
  progress_draw(*bar, -7, "x");
  EXPECT_EQ(bar->slide()->width(), 0);
}

TEST_F(ProgressDrawing, TextIsPrintedAtTheSamePlaceInBothAndCentred) {
  progress_draw(*bar, 40, "Zipping: song.mp3");
  EXPECT_EQ(bar->line().text, "Zipping: song.mp3");
  EXPECT_EQ(bar->slide()->line().text, "Zipping: song.mp3");
  EXPECT_EQ(bar->line().at, QPoint(3, expected_text_top()));
  EXPECT_EQ(bar->slide()->line().at, bar->line().at);
}

TEST_F(ProgressDrawing, EmptyTextClearsTheTextAndOnlyMovesTheSlide) {
  progress_draw(*bar, 30, "Copying Files: 3/10");
  progress_draw(*bar, 60, "");
  EXPECT_TRUE(bar->line().text.isEmpty());
  EXPECT_TRUE(bar->slide()->line().text.isEmpty());
  EXPECT_EQ(bar->slide()->width(), std::lround(bar->scale_width() * 0.6f));
}

TEST_F(ProgressDrawing, EachDrawingReplacesTheEarlierText) {
  progress_draw(*bar, 10, "Zipping: a very long name of a track that fills the bar.mp3");
  progress_draw(*bar, 20, "Zipping: b.mp3");
  EXPECT_EQ(bar->line().text, "Zipping: b.mp3");
  EXPECT_EQ(bar->slide()->line().text, "Zipping: b.mp3");
  // Nothing of the long text is left to the right of the short one.
  QImage image = bar->grab().toImage();
  const QColor face = bar->palette().color(QPalette::Button);
  const int past_text = 3 + QFontMetrics(bar->font()).horizontalAdvance("Zipping: b.mp3") + 4;
  for (int x = past_text; x < bar->scale_width(); ++x)
    for (int y = 0; y < bar->scale_height(); ++y)
      ASSERT_EQ(inner_pixel(image, x, y), face) << x << "," << y;
}

TEST_F(ProgressDrawing, EveryDrawingYieldsAndShowsTheBar) {
  progress_hide(*bar);
  EXPECT_FALSE(bar->isVisible());
  const int before = ui.yields;
  progress_draw(*bar, 5, "a");
  progress_draw(*bar, 6, "b");
  EXPECT_EQ(ui.yields, before + 2);
  EXPECT_TRUE(bar->isVisible());
}

TEST_F(ProgressDrawing, FilledPartShowsSelectionColoursTheRestTheBarsOwn) {
  const QColor highlight = bar->palette().color(QPalette::Highlight);
  const QColor face = bar->palette().color(QPalette::Button);
  ASSERT_NE(highlight, face);
  std::filesystem::create_directories(DAVRIN_ARTIFACTS_DIR);
  for (int percent : {0, 50, 100}) {
    progress_draw(*bar, static_cast<int16_t>(percent),
                  "Copying Files: 50/100 - Zipping: track.mp3");
    QImage image = bar->grab().toImage();
    image.save(QString(DAVRIN_ARTIFACTS_DIR) + "/progress_" + QString::number(percent) + ".png");
    // Left of the text margin and at the far right there is no text.
    const QColor left = inner_pixel(image, 1, 1);
    const QColor right = inner_pixel(image, bar->scale_width() - 2, 1);
    EXPECT_EQ(left, percent == 0 ? face : highlight) << percent;
    EXPECT_EQ(right, percent == 100 ? highlight : face) << percent;
  }
}

TEST_F(ProgressDrawing, TextCrossingTheEdgeUsesBothColourPairs) {
  const QColor highlight_text = bar->palette().color(QPalette::HighlightedText);
  const QColor button_text = bar->palette().color(QPalette::ButtonText);
  ASSERT_NE(highlight_text, button_text);
  // A long run of heavy glyphs, so that both halves hold text pixels.
  progress_draw(*bar, 50, std::string(80, 'W'));
  QImage image = bar->grab().toImage();
  const int edge = bar->slide()->width();
  bool selection_text_left = false, bar_text_right = false, wrong_side = false;
  for (int y = 0; y < bar->scale_height(); ++y) {
    for (int x = 0; x < bar->scale_width(); ++x) {
      const QColor c = inner_pixel(image, x, y);
      if (x < edge && c == highlight_text) selection_text_left = true;
      if (x >= edge && c == button_text) bar_text_right = true;
      if (x < edge && c == button_text) wrong_side = true;
    }
  }
  EXPECT_TRUE(selection_text_left);
  EXPECT_TRUE(bar_text_right);
  EXPECT_FALSE(wrong_side);
}

TEST_F(ProgressDrawing, AScreenReaderReadsAProgressBarWithItsPercentageAndText) {
  progress_draw(*bar, 40, "tone 440.wav");
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(bar);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->role(), QAccessible::ProgressBar);
  EXPECT_EQ(read->text(QAccessible::Name), "tone 440.wav");
  ASSERT_NE(read->valueInterface(), nullptr);
  EXPECT_EQ(read->valueInterface()->currentValue().toInt(), 40);
  EXPECT_EQ(read->valueInterface()->maximumValue().toInt(), 100);
}

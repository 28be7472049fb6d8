// The filtered text box: typed keys pass the key filter, pasted and dropped
// text loses what the filter refuses, editing keys keep working.
#include "editor/filtered_line_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "editor/key_filters.h"

namespace {
std::string text_of(const QLineEdit& box) {
  return box.text().toStdString();
}
}  // namespace

TEST(FilteredLineEdit, TypedTitleOfLettersDigitsAndSpacesArrivesWhole) {
  FilteredLineEdit box(title_key_filter);
  QSignalSpy accepted(&box, &FilteredLineEdit::typed_key_accepted);
  QTest::keyClicks(&box, "My Mix 2000 @home");
  EXPECT_EQ(text_of(box), "My Mix 2000 @home");
  EXPECT_EQ(accepted.count(), 17);
}

TEST(FilteredLineEdit, RefusedKeysInsertNothingAndAreNotCounted) {
  FilteredLineEdit box(title_key_filter);
  QSignalSpy accepted(&box, &FilteredLineEdit::typed_key_accepted);
  QTest::keyClicks(&box, "-_.&=%,/\\:?");
  QTest::keyClick(&box, Qt::Key_Return);
  QTest::keyClick(&box, Qt::Key_Enter);
  EXPECT_EQ(text_of(box), "");
  EXPECT_EQ(accepted.count(), 0);
}

TEST(FilteredLineEdit, LinkBoxTakesAWebAddressButDropsDashEqualsAmpersandPercent) {
  FilteredLineEdit box(link_key_filter);
  QTest::keyClicks(&box, "http://www.my-site.org/page?a=1&b=%41");
  EXPECT_EQ(text_of(box), "http://www.mysite.org/page?a1b41");
}

TEST(FilteredLineEdit, BackspaceWorksAndCountsAsAnAcceptedKey) {
  FilteredLineEdit box(title_key_filter);
  QTest::keyClicks(&box, "abc");
  QSignalSpy accepted(&box, &FilteredLineEdit::typed_key_accepted);
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(text_of(box), "ab");
  EXPECT_EQ(accepted.count(), 1);
  box.clear();
  QTest::keyClick(&box, Qt::Key_Backspace);  // even on an empty box
  EXPECT_EQ(accepted.count(), 2);
}

TEST(FilteredLineEdit, NavigationKeysAndDeleteKeepWorking) {
  FilteredLineEdit box(title_key_filter);
  QTest::keyClicks(&box, "abcd");
  QSignalSpy accepted(&box, &FilteredLineEdit::typed_key_accepted);
  QTest::keyClick(&box, Qt::Key_Home);
  QTest::keyClick(&box, Qt::Key_Delete);
  QTest::keyClick(&box, Qt::Key_Right);
  QTest::keyClick(&box, Qt::Key_X);
  QTest::keyClick(&box, Qt::Key_End);
  QTest::keyClick(&box, Qt::Key_Left);
  QTest::keyClick(&box, Qt::Key_Y);
  EXPECT_EQ(text_of(box), "bxcyd");
  EXPECT_EQ(accepted.count(), 2);  // only the two letters went through the filter
}

TEST(FilteredLineEdit, ClipboardShortcutsHaveNoEffect) {
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  FilteredLineEdit box(title_key_filter);
  box.show();
  QTest::keyClicks(&box, "keep");
  box.selectAll();
  QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(text_of(box), "keep");
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "pasted");
  EXPECT_EQ(
      FilteredLineEdit::typed_code(QKeyEvent(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier)),
      22);
}

TEST(FilteredLineEdit, PastedTextLosesRefusedCharacters) {
  FilteredLineEdit box(title_key_filter);
  QSignalSpy edited(&box, &FilteredLineEdit::edited_by_user);
  QTest::keyClicks(&box, "AB");
  QTest::keyClick(&box, Qt::Key_Left);
  QApplication::clipboard()->setText(QStringLiteral("x-y/../z"));
  box.paste();  // as the context menu's Paste does
  EXPECT_EQ(text_of(box), "AxyzB");
  EXPECT_EQ(box.cursorPosition(), 4);
  EXPECT_EQ(edited.count(), 1);
  box.insert(QStringLiteral("\xE9\xE8!"));  // as a drop does
  EXPECT_EQ(text_of(box), "AxyzB");
  EXPECT_EQ(edited.count(), 1);  // nothing arrived, nothing changed
}

TEST(FilteredLineEdit, ShiftInsertAndDropsAreFilteredToo) {
  FilteredLineEdit box(link_key_filter);
  box.show();
  QSignalSpy edited(&box, &FilteredLineEdit::edited_by_user);
  QApplication::clipboard()->setText(QStringLiteral("http://a-b.org/"));
  QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(text_of(box), "http://ab.org/");
  EXPECT_EQ(edited.count(), 1);

  QMimeData data;
  data.setText(QStringLiteral("x=1&y"));
  QDropEvent drop(QPointF(box.width() - 2, box.height() / 2), Qt::CopyAction, &data, Qt::LeftButton,
                  Qt::NoModifier);
  static_cast<QObject&>(box).event(&drop);  // as the platform delivers a drop
  EXPECT_EQ(text_of(box), "http://ab.org/x1y");
  EXPECT_EQ(edited.count(), 2);
}

TEST(FilteredLineEdit, TextPutInByTheProgramIsFilteredWithoutCountingAsAnEdit) {
  FilteredLineEdit box(title_key_filter);
  QSignalSpy edited(&box, &FilteredLineEdit::edited_by_user);
  QSignalSpy changed(&box, &QLineEdit::textChanged);
  box.setText(QStringLiteral("old-list"));
  EXPECT_EQ(text_of(box), "oldlist");
  ASSERT_EQ(changed.count(), 1);  // listeners see only the filtered text
  EXPECT_EQ(changed.at(0).at(0).toString().toStdString(), "oldlist");
  EXPECT_EQ(edited.count(), 0);
}

TEST(FilteredLineEdit, AStoredTextKeepsItsCharactersWhileNewOnesAreFiltered) {
  FilteredLineEdit box(link_key_filter);
  QSignalSpy edited(&box, &FilteredLineEdit::edited_by_user);
  box.set_stored_text(QStringLiteral("http://my-site.org/a=b"));
  EXPECT_EQ(text_of(box), "http://my-site.org/a=b");
  EXPECT_EQ(edited.count(), 0);
  box.setCursorPosition(11);  // after "my-s"
  QTest::keyClicks(&box, "x-");
  EXPECT_EQ(text_of(box), "http://my-sxite.org/a=b");
  QApplication::clipboard()->setText(QStringLiteral("=&y"));
  box.end(false);
  box.paste();
  EXPECT_EQ(text_of(box), "http://my-sxite.org/a=by");
  EXPECT_EQ(box.cursorPosition(), 24);
  QTest::keyClick(&box, Qt::Key_Backspace);
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(text_of(box), "http://my-sxite.org/a=");  // the stored "=" stays until removed
}

TEST(FilteredLineEdit, PasteInTheMiddleKeepsTheCursorAfterTheAcceptedPart) {
  FilteredLineEdit box(title_key_filter);
  box.setText(QStringLiteral("abcd"));
  box.setCursorPosition(2);
  QApplication::clipboard()->setText(QStringLiteral("-x-y-"));
  box.paste();
  EXPECT_EQ(text_of(box), "abxycd");
  EXPECT_EQ(box.cursorPosition(), 4);
}

#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include "desktop/ui/card_view.h"
#include "desktop/ui/main_frame.h"
#include "desktop/ui/page_bar.h"
#include "desktop/ui/result_list.h"
#include "desktop/ui/search_pane.h"
#include "desktop/ui/zolmark_app.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

// Browsing tests run in the program's own main window: the search pane, the result view on show
// and the page bar, in a fresh working folder, with every message scripted.
class BrowseTest : public ::testing::Test {
 protected:
  // Starts the program on what the working folder holds.
  void StartApp();

  CDlgForm* SearchPane() const;
  CButtonForm* PageBar() const;
  // The result view on show, when it is of that kind.
  CResultForm* Cards() const;
  CResultList* List() const;

  // Runs the card view's flag poll and the page bar's count refresh, as their timers do.
  void PollCards();
  // Sizes the main window so that the cards are laid out in `width` pixels.
  void SetCardAreaWidth(int width);

  CZOLMARKApp& App() const { return AfxGetApp(); }

  TempWorkingFolder folder_;
  ScriptedServices script_;
  CMainFrame* frame_ = nullptr;
};

// Image file bytes (PNG) of a picture in one colour.
QByteArray SolidPicture(QColor color, int width = 40, int height = 50);
// The colour of a pixel of a widget as it is drawn on screen.
QColor PixelOf(QWidget* widget, QPoint point);
// Inserts `count` phone contacts in one statement: First_Name "F" + number (zero-padded to five
// digits), SIM_Name "S" + number.
void InsertManyContacts(int count);

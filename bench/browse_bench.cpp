// Drives the program's real windows offscreen on a database of 100,000 contacts, half of them with
// a picture, and prints how long each browsing step takes: the start-up with the first page, page
// changes, filter reloads, keyword searches and the list view, each measured from the command to
// the view painted. Ends with the peak resident memory of the process. Messages are answered at
// once and written to standard error.
//
// Usage: browse_bench [contacts]   (default 100000)

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "desktop/store/contact_database.h"
#include "desktop/store/database_connection.h"
#include "desktop/ui/card_view.h"
#include "desktop/ui/main_frame.h"
#include "desktop/ui/page_bar.h"
#include "desktop/ui/result_list.h"
#include "desktop/ui/search_pane.h"
#include "desktop/ui/zolmark_app.h"
#include "platform/device/sample/sample_people.h"
#include "platform/windows/message_service.h"

namespace {

// ---- Sample contacts ----------------------------------------------------------------------

constexpr int kPictureKinds = 24;

// A contact photo as a phone stores it: a small JPEG with some texture.
QByteArray Photo(std::mt19937& random) {
  QImage image(96, 120, QImage::Format_RGB32);
  std::uniform_int_distribution<int> channel(0, 255);
  image.fill(QColor(channel(random), channel(random), channel(random)));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(channel(random), channel(random), channel(random)));
  painter.drawEllipse(QRect(8, 84, 80, 80));
  painter.setBrush(QColor(235, 195, 160));
  painter.drawEllipse(QRect(28, 22, 40, 52));
  for (int i = 0; i < 400; ++i) {
    painter.setPen(QColor(channel(random), channel(random), channel(random), 60));
    painter.drawPoint(channel(random) * 96 / 256, channel(random) * 120 / 256);
  }
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 85);
  return bytes;
}

struct SampleBook {
  int pictures = 0;
  qint64 pictureBytes = 0;
};

// Fills Contact.cdt with `count` contacts: one in three a SIM contact, three in four phone
// contacts with a picture, so half of the records have one.
SampleBook GenerateContacts(int count) {
  InitContactDatabase(AfxGetApp());
  std::mt19937 random(20111205);
  std::vector<QByteArray> photos;
  for (int i = 0; i < kPictureKinds; ++i) photos.push_back(Photo(random));
  SampleBook book;

  DatabaseConnection db;
  db.Exec("begin");
  SqlStatement insert(db,
                      "insert into Contact_Table(First_Name,Middle_Name,Last_Name,Mobile_Phone,"
                      "Work_Tel,Home_Tel,E_Mail,Notes,ContactType,hasPic,SIM_Name,Picture) "
                      "values(?,?,?,?,?,?,?,?,?,?,?,?)");
  for (int i = 0; i < count; ++i) {
    const SamplePerson person = MakeSamplePerson(i);
    const QString& first = person.first;
    const QString& last = person.last;
    QString mobile = QString("13%1").arg(random() % 1000000000, 9, 10, QChar('0'));
    bool sim = i % 3 == 2;
    bool hasPicture = !sim && i % 4 != 3;
    const QByteArray& photo = photos[i % kPictureKinds];
    insert.BindText(1, first + QString::number(i % 997));
    insert.BindText(2, i % 5 == 0 ? QString("M.") : QString());
    insert.BindText(3, last);
    insert.BindText(4, mobile);
    insert.BindText(5, QString("010-%1").arg(i % 10000, 4, 10, QChar('0')));
    insert.BindText(6, sim ? QString() : QString("021-%1").arg(i % 9999));
    insert.BindText(7, QString("%1.%2@example.com").arg(first).arg(i).toLower());
    insert.BindText(8,
                    i % 7 == 0 ? QString("met at the fair in %1").arg(2000 + i % 20) : QString());
    insert.BindText(9, sim ? "2" : "1");
    insert.BindText(10, hasPicture ? "1" : "0");
    insert.BindText(11, sim ? first : last + "," + first);
    insert.BindBlob(12, hasPicture ? photo : QByteArray());
    insert.Step();
    insert.Reset();
    if (hasPicture) {
      book.pictureBytes += photo.size();
      ++book.pictures;
    }
  }
  db.Exec("commit");
  return book;
}

// ---- Measuring ----------------------------------------------------------------------------

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

double Milliseconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Prints the median and the slowest of a step's runs against its target (for the median).
void Report(const QString& step, std::vector<double> runs, double targetMs) {
  std::sort(runs.begin(), runs.end());
  double median = runs[runs.size() / 2];
  std::printf("%-46s median %7.1f ms  slowest %7.1f ms  (%zu runs, target < %.0f ms)%s\n",
              qPrintable(step), median, runs.back(), runs.size(), targetMs,
              median < targetMs ? "" : "  OVER");
}

std::vector<double> Runs(int count, const std::function<double()>& run) {
  std::vector<double> runs;
  for (int i = 0; i < count; ++i) runs.push_back(run());
  return runs;
}

// One pass over the table in the order a keyword search makes, testing the eight columns it
// searches with a function that never matches.
void ScanFloor() {
  DatabaseConnection db;
  QStringList tests;
  for (const char* column : {"First_Name", "Middle_Name", "Last_Name", "Mobile_Phone", "Work_Tel",
                             "Home_Tel", "E_Mail", "Notes"}) {
    tests << QString("length(%1) < 0").arg(column);
  }
  SqlStatement scan(db, "select ID from Contact_Table not indexed where " + tests.join(" or ") +
                            " order by ContactType,First_Name");
  while (scan.Step() == SQLITE_ROW) {
  }
}

class Browser {
 public:
  explicit Browser(CMainFrame* frame) : frame_(frame) {}

  CDlgForm* Pane() const { return dynamic_cast<CDlgForm*>(frame_->SearchPane()); }
  CButtonForm* Bar() const { return dynamic_cast<CButtonForm*>(frame_->PageBar()); }
  CResultForm* Cards() const { return dynamic_cast<CResultForm*>(frame_->ResultView()); }
  CResultList* List() const { return dynamic_cast<CResultList*>(frame_->ResultView()); }

  // A command, then what the timers do: the card view's poll, the page bar's refresh and a paint.
  double CardStep(const std::function<void()>& command) {
    return Milliseconds([&] {
      command();
      Cards()->OnTimer();
      Bar()->OnTimer();
      Cards()->repaint();
      Bar()->repaint();
    });
  }

  double Search(const QString& keyword) {
    Pane()->Item<QLineEdit>(CDlgForm::kKeywordEdit)->setText(keyword);
    return CardStep([this] { Pane()->OnSearch(); });
  }

 private:
  CMainFrame* frame_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int contacts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  QTemporaryDir folder;
  QDir::setCurrent(folder.path());

  CZOLMARKApp app(argc, argv);
  MessageService messages;
  messages.tips = [](int, const QString& text) {
    std::fprintf(stderr, "tips: %s\n", qPrintable(text));
    return IDCANCEL;
  };
  messages.messageBox = [](const QString& text, const QString&, unsigned) {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    return IDCANCEL;
  };
  InstallMessageService(messages);

  SampleBook book = GenerateContacts(contacts);
  std::printf(
      "browse_bench: %d contacts (%d with a picture, %lld bytes a picture on average), "
      "database %.0f MB\n",
      contacts, book.pictures,
      static_cast<long long>(book.pictures > 0 ? book.pictureBytes / book.pictures : 0),
      QFileInfo("Contact.cdt").size() / 1048576.0);

  CMainFrame* frame = nullptr;
  Report("start-up: main window with the first page", {Milliseconds([&] {
           app.InitInstance();
           frame = app.MainFrame();
           frame->showNormal();
           frame->resize(1280, 900);
           QApplication::processEvents();
         })},
         1000);
  Browser browser(frame);
  CButtonForm* bar = browser.Bar();
  CDlgForm* pane = browser.Pane();

  Report("page change: next page",
         Runs(20, [&] { return browser.CardStep([&] { bar->OnNextPage(); }); }), 100);
  std::vector<double> jumps;
  for (int round = 0; round < 3; ++round) {
    jumps.push_back(browser.CardStep([&] { bar->OnLastPage(); }));
    jumps.push_back(browser.CardStep([&] { bar->OnFirstPage(); }));
    jumps.push_back(browser.CardStep([&] {
      bar->m_cbPage->setCurrentIndex(bar->m_cbPage->count() / 2);
      bar->OnPageSelChange();
    }));
  }
  Report("page change: last, first, middle from the list", jumps, 100);

  std::vector<double> sim, mobile, all;
  for (int round = 0; round < 5; ++round) {
    sim.push_back(browser.CardStep([&] { pane->OnShowSim(); }));
    mobile.push_back(browser.CardStep([&] { pane->OnShowMobile(); }));
    all.push_back(browser.CardStep([&] { pane->OnShowAll(); }));
  }
  Report("filter reload: SIM card", sim, 100);
  Report("filter reload: Mobile", mobile, 100);
  Report("filter reload: All contacts", all, 100);

  // ASCII and Chinese keywords, found and not; the floor is the same scan with a trivial test
  // of the same columns.
  for (QString keyword :
       {QString("smith"), QString("fair in 2007"), QString("no such contact"),
        QString::fromUtf8("张"), QString::fromUtf8("伟1"), QString::fromUtf8("李娜")}) {
    Report("keyword search: \"" + keyword + "\"", Runs(3, [&] { return browser.Search(keyword); }),
           300);
  }
  Report("keyword search floor: its scan, query alone",
         Runs(3, [] { return Milliseconds(ScanFloor); }), 300);
  browser.CardStep([&] { pane->OnShowAll(); });

  std::vector<double> listShown;
  for (int round = 0; round < 3; ++round) {
    listShown.push_back(Milliseconds([&] {
      pane->OnContactList();
      browser.List()->repaint();
    }));
    if (round < 2) pane->OnContactView();
  }
  Report("list view: shown with every row", listShown, 300);
  std::printf("list view rows: %d\n", browser.List()->Model()->rowCount());
  QTableView* list = browser.List()->m_list;
  Report("list view: scroll to rows 50000, last, 0",
         Runs(1,
              [&] {
                double slowest = 0;
                for (int row : {50000, contacts - 1, 0}) {
                  slowest = std::max(slowest, Milliseconds([&] {
                                       list->scrollTo(browser.List()->Model()->index(
                                           std::min(row, contacts - 1), 1));
                                       list->viewport()->repaint();
                                     }));
                }
                return slowest;
              }),
         100);
  Report("card view: shown again", {Milliseconds([&] {
           pane->OnContactView();
           browser.Cards()->repaint();
         })},
         300);

  std::printf("peak resident memory: %.0f MB (target < 300 MB)\n", PeakRssMegabytes());
  return 0;
}

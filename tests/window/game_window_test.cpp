// The game window with real widgets and real events on the demo game: typing, suggestions,
// the pointer over Tela, the outline, pages and focus, the picture buttons and ticks, the
// error box, closing during a wait, and a golden screenshot.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>

#include "game/panel_mouse.h"
#include "game/timers.h"
#include "pointer_shapes.h"
#include "shaped_window.h"
#include "window_input.h"
#include "window_layout.h"
#include "window_test_support.h"

namespace zunk::testing {
namespace {

int PageShown(GameWindow& window) {
  return window.findChild<QStackedWidget*>("Abook")->currentIndex();
}

void Click(QWidget& widget, QPoint at) {
  SendMouse(widget, QEvent::MouseButtonPress, at);
  SendMouse(widget, QEvent::MouseButtonRelease, at);
}

TEST_F(WindowTest, TypedSentenceShowsItsReplyAndEcho) {
  Start();
  EXPECT_TRUE(Mensag().toPlainText().contains(QString::fromUtf8("Você está na praia")));
  EXPECT_EQ(Status(), "Status...");
  Type("olhe");
  EXPECT_EQ(Status(), "] OLHE");
  EXPECT_EQ(Mensag().toPlainText(), MessageText(game_->output().lines()));
  EXPECT_TRUE(Mensag().toPlainText().startsWith(QString::fromUtf8("Você está na praia")));
  // Return is not inserted, and the parser emptied the line.
  EXPECT_EQ(window_->frase().toPlainText(), "");

  Type(QString::fromUtf8("PEGUE A LANTERNA"));
  EXPECT_EQ(Mensag().toPlainText(), "Ok.");
  // Typing without Return only edits the line.
  QTest::keyClicks(&window_->frase(), "NORTE");
  EXPECT_EQ(game_->frase, "NORTE");
  EXPECT_EQ(Mensag().toPlainText(), "Ok.");
}

TEST_F(WindowTest, SuggestionPressRunsItsScript) {
  Start();
  ASSERT_EQ(window_->suggestion(3).text(), "Ajuda");
  const QString before = Mensag().toPlainText();
  Click(window_->suggestion(3), QPoint(3, 3));
  EXPECT_NE(Mensag().toPlainText(), before);
  EXPECT_EQ(Mensag().toPlainText(), MessageText(game_->output().lines()));
  // An empty suggestion does nothing.
  game_->output().ClearSuggestions();
  window_->Refresh();
  const QString after = Mensag().toPlainText();
  Click(window_->suggestion(1), QPoint(3, 3));
  EXPECT_EQ(Mensag().toPlainText(), after);
}

TEST_F(WindowTest, PointerOverTelaTakesTheShapeOfTheLinkUnderIt) {
  Start();
  const LinkTable& links = game_->links();
  int found = -1;
  for (int i = 0; i < kLinkCount && found < 0; ++i) {
    if (links.links[static_cast<std::size_t>(i)].active) found = i;
  }
  ASSERT_GE(found, 0) << "the demo's first screen has links";
  const Link& link = links.links[static_cast<std::size_t>(found)];
  SendMouse(window_->tela(), QEvent::MouseMove,
            QPoint(link.x + link.width / 2, link.y + link.height / 2));
  EXPECT_EQ(window_->tela().cursor().shape(), PointerShape(link.cursor_code));
  EXPECT_NE(PointerShape(link.cursor_code), Qt::ArrowCursor);
  // Codes outside the table show the arrow.
  EXPECT_EQ(PointerShape(12), Qt::ArrowCursor);
  EXPECT_EQ(PointerShape(-1), Qt::ArrowCursor);
}

TEST_F(WindowTest, OutlineIsCutFromTheBackgroundsMagenta) {
  Start();
  const WindowArt art = LoadWindowArt(FindArtFolder());
  ASSERT_TRUE(art.complete) << "the window's art is built with the program";
  const QRegion expected = RegionFromMagenta(art.background);
  EXPECT_EQ(window_->mask(), expected);
  EXPECT_FALSE(expected.contains(QPoint(0, 0)));
  for (const QRect& element : {layout::kAbook, layout::kMensag, layout::kFrase, layout::kPanSg,
                               layout::kObjLoc, layout::kObjJog}) {
    EXPECT_TRUE(expected.contains(element)) << element.x() << "," << element.y();
  }
  // A picture without magenta leaves the window rectangular; an all-magenta one too, rather
  // than making it vanish.
  QWidget plain;
  ShapeWindow(plain, Picture(30, 20, kWhite));
  EXPECT_TRUE(plain.mask().xored(QRegion(0, 0, 30, 20)).isEmpty());
  ShapeWindow(plain, Picture(30, 20, kMagenta));
  EXPECT_TRUE(plain.mask().isEmpty());
}

TEST_F(WindowTest, PageButtonsAndFocusRules) {
  Start();
  Click(*window_->button("btCfg"), QPoint(3, 3));
  EXPECT_EQ(PageShown(*window_), 3);
  auto* login = window_->findChild<QLineEdit*>("Login");
  login->setFocus();
  QTest::keyClicks(login, "ana");
  EXPECT_EQ(game_->login, "ana");
  EXPECT_EQ(window_->findChild<QLineEdit*>("Senha")->echoMode(), QLineEdit::Password);
  // Once the game's page has loaded, btWeb shows the web page (before, the pop-up).
  game_->web.game_page_loaded = true;
  Click(*window_->button("btWeb"), QPoint(3, 3));
  EXPECT_EQ(PageShown(*window_), 2);
  Click(*window_->button("btVsr"), QPoint(3, 3));
  EXPECT_EQ(PageShown(*window_), 0);
  EXPECT_TRUE(window_->frase().hasFocus());
  // A press in the message window gives the focus back to the input line.
  login->setFocus();
  ASSERT_FALSE(window_->frase().hasFocus());
  SendMouse(*Mensag().viewport(), QEvent::MouseButtonPress, QPoint(20, 10));
  EXPECT_TRUE(window_->frase().hasFocus());
  // The editor comes later: its button is there, disabled, with a hint.
  EXPECT_FALSE(window_->button("btEdt")->isEnabled());
  EXPECT_FALSE(window_->button("btEdt")->toolTip().isEmpty());
}

TEST_F(WindowTest, TicksFollowThePartnerRuleAtOnce) {
  Start();
  PictureButton& shd = *window_->button("Shd");
  PictureButton& sweb = *window_->button("Sweb");
  Click(shd, QPoint(3, 3));
  EXPECT_EQ(game_->script_source, Source::DiskOnly);
  Click(sweb, QPoint(3, 3));
  EXPECT_EQ(game_->script_source, Source::WebOnly);
  EXPECT_FALSE(TickShown(*game_, WindowButton::Shd));
  Click(sweb, QPoint(3, 3));
  EXPECT_EQ(game_->script_source, Source::DiskThenWeb);
  Click(*window_->button("Aweb"), QPoint(3, 3));
  EXPECT_EQ(game_->file_source, Source::WebOnly);
  EXPECT_EQ(game_->script_source, Source::DiskThenWeb);
}

TEST_F(WindowTest, MinimiseStopsTheClockAndItStaysStopped) {
  Start();
  ASSERT_TRUE(game_->timers().clock_on) << "the demo starts its clock";
  Click(*window_->button("btMin"), QPoint(3, 3));
  EXPECT_FALSE(game_->timers().clock_on);
  EXPECT_FALSE(host_->TimerOn(HeadlessHost::TimerKind::Clock));
  EXPECT_EQ(window_->last_action(), WindowAction::Minimise);
  window_->showNormal();
  QCoreApplication::processEvents();
  EXPECT_FALSE(game_->timers().clock_on);
  EXPECT_FALSE(host_->TimerOn(HeadlessHost::TimerKind::Clock));
}

// A drag as the window gets it: press on the panel, a move and the release reach the pressed
// panel in its own coordinates, wherever the pointer is; target is a window point.
void Drag(GameWindow& window, Panel from, QPoint at, QPoint target) {
  PictureView& panel = window.panel(from);
  const QPoint to = target - panel.geometry().topLeft();
  SendMouse(panel, QEvent::MouseButtonPress, at);
  SendMouse(panel, QEvent::MouseMove, to);
  SendMouse(panel, QEvent::MouseButtonRelease, to);
}

TEST_F(WindowTest, DragAndDropAndDoubleClickOnThePanels) {
  Start();
  ASSERT_GT(game_->panels().loc_slots[1], 0) << "the lantern and the shells lie on the beach";
  // A plain click near a cell's left border drops on the neighbouring cell.
  Click(window_->panel(Panel::Loc), QPoint(45, 20));
  EXPECT_EQ(Status(), "] COLOQUE AS CONCHAS NA LANTERNA");
  EXPECT_FALSE(window_->drag_window().isVisible());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // Onto an empty cell of the carried objects: the drop point is the drag window's corner.
  Drag(*window_, Panel::Loc, QPoint(20, 20),
       layout::kObjJog.topLeft() + QPoint(20, 15) + QPoint(10, 10));
  EXPECT_EQ(Status(), "] PEGUE A LANTERNA");
  EXPECT_EQ(Mensag().toPlainText(), "Ok.");
  ASSERT_GT(game_->panels().jog_slots[0], 0);
  // From the carried objects onto the screen.
  Drag(*window_, Panel::Jog, QPoint(20, 20), QPoint(200, 100));
  EXPECT_EQ(Status(), "] SOLTE A LANTERNA");
  // Outside every target nothing happens.
  Drag(*window_, Panel::Loc, QPoint(20, 20), QPoint(630, 345));
  EXPECT_EQ(Status(), "] SOLTE A LANTERNA");
  // A double click examines an object without a program (its own drop does nothing).
  PictureView& loc = window_->panel(Panel::Loc);
  SendMouse(loc, QEvent::MouseButtonPress, QPoint(20, 20));
  SendMouse(loc, QEvent::MouseButtonRelease, QPoint(20, 20));
  SendMouse(loc, QEvent::MouseButtonDblClick, QPoint(20, 20));
  SendMouse(loc, QEvent::MouseButtonRelease, QPoint(20, 20));
  EXPECT_TRUE(Status().startsWith("] EXAMINE A")) << Status().toStdString();
  // Hover gives the drag pointer over an object and the arrow over an empty cell.
  SendMouse(loc, QEvent::MouseMove, QPoint(20, 20));
  EXPECT_EQ(loc.cursor().shape(), PointerShape(kDragPointer));
  SendMouse(loc, QEvent::MouseMove, QPoint(20, 110));
  EXPECT_EQ(loc.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WindowTest, FaultsWhileTheErrorBoxIsOpenJoinIt) {
  Start(/*scripted=*/false);
  int boxes_seen = 0;
  QString text;
  QTimer::singleShot(20, [&] {
    QMessageBox* box = host_->error_box();
    ASSERT_NE(box, nullptr);
    ++boxes_seen;
    host_->ShowError("segunda falha");  // returns at once: it joins the open box
    text = box->text();
    box->accept();
  });
  host_->ShowError("primeira falha");
  EXPECT_EQ(boxes_seen, 1);
  EXPECT_TRUE(text.contains("primeira falha") && text.contains("segunda falha"));
  EXPECT_EQ(host_->error_box(), nullptr);
}

TEST_F(WindowTest, ClosingDuringAWaitEndsEveryRunAtOnce) {
  Start(/*scripted=*/false);
  QTimer::singleShot(50, window_.get(), [this] { window_->close(); });
  QElapsedTimer elapsed;
  elapsed.start();
  window_->Dispatch([this] { game_->ExecLineFromHost("delay 20000"); });
  EXPECT_LT(elapsed.elapsed(), 10000);
  EXPECT_TRUE(window_->closing());
  // Nothing more runs once the window is closing.
  const auto lines = game_->output().lines();
  Type("OLHE");
  EXPECT_EQ(game_->output().lines(), lines);
}

TEST_F(WindowTest, TypingWorksWhileAScriptWaits) {
  Start(/*scripted=*/false);
  QTimer::singleShot(20, window_.get(), [this] { Type("OLHE"); });
  window_->Dispatch([this] { game_->ExecLineFromHost("delay 300"); });
  EXPECT_EQ(Status(), "] OLHE");
  EXPECT_TRUE(Mensag().toPlainText().startsWith(QString::fromUtf8("Você está na praia")));
}

TEST_F(WindowTest, ClosingDuringAnEffectOrAFetchEndsTheRun) {
  Start(/*scripted=*/false);
  // An effect shows its steps one by one, letting events run between them.
  QTimer::singleShot(0, window_.get(), [this] { window_->close(); });
  window_->Dispatch([this] { game_->ExecLineFromHost("efeito fadeon,0"); });
  EXPECT_TRUE(window_->closing());
}

TEST_F(WindowTest, ClosingBeforeAFetchEndsTheRunWithoutARequest) {
  Start(/*scripted=*/false);
  game_->url = "http://127.0.0.1:9/";  // nothing listens: a request would fail, not hang
  QTimer::singleShot(0, window_.get(), [this] { window_->close(); });
  window_->Dispatch([this] { game_->RunScriptFromHost("naoexiste"); });
  EXPECT_TRUE(window_->closing());
  EXPECT_FALSE(std::filesystem::exists(game_dir() / "naoexiste.scpt"));
}

TEST_F(WindowTest, ScreenshotMatchesTheGoldenOutsideTheTextAreas) {
  Start();
  const QImage shot = GrabWindow(*window_).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(shot.size(), QSize(640, 350));
  const QString golden = QString(ZUNK_TEST_DATA_DIR) + "/data/golden/window_demo.png";
  if (std::getenv("ZUNK_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(shot.save(golden));
  }
  const QImage expected = QImage(golden).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(expected.size(), shot.size()) << "missing golden picture " << golden.toStdString();
  // Text depends on the fonts installed: the areas that hold text are left out.
  QRegion text_areas;
  for (const QRect& r : {layout::kMensag, layout::kStk, layout::kFrase, layout::kPanSg,
                         layout::kObjLocCaption, layout::kObjJogCaption, layout::kVrs}) {
    text_areas += r.adjusted(-2, -2, 2, 2);
  }
  text_areas += layout::ToQRect(window_art::kLinkLabels).adjusted(-2, -2, 2, 2);
  // The demo screen prints its location's name in a font too.
  text_areas += QRect(layout::kAbook.x(), layout::kAbook.y(), layout::kAbook.width(), 40);
  int differing = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (text_areas.contains(QPoint(x, y))) continue;
      if (shot.pixel(x, y) != expected.pixel(x, y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace zunk::testing

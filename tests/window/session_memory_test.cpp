// A long session on the demo catalogue: the whole tree walked by clicks and the basket review
// opened and closed again and again. Memory in use must not grow from round to round.

#include <QTimer>

#include "controls/tab_control.h"

#include <malloc.h>

#include <functional>

#include "basket/zakaz.h"
#include "support/window_fixture.h"

namespace {

[[maybe_unused]] std::size_t HeapInUse() { return mallinfo2().uordblks; }

class SessionTest : public WindowTest {
 protected:
  void OpenAndCloseReview() {
    QTimer::singleShot(0, [this] {
      if (probe().frZakaz()) {
        probe().frZakaz()->sgZakaz->viewport()->grab();  // its thumbnails painted
        probe().frZakaz()->reject();
      }
    });
    Click(probe().leiWord());
  }
};

TEST_F(SessionTest, RoundsOfBrowsingAndReviewingDoNotGrowMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps freed memory; its leak check covers this build";
#else
  AppEnvironment env = Environment();
  env.executablePath = QStringLiteral(DEMO_DIR "/Catalog");
  ASSERT_FALSE(OpenWith(env).StartupFailed());
  // A basket of a few parts from the list.
  probe().TabControl()->SetTabIndex(10);
  ClickAt(QPoint(600, 380));
  for (int row = 0; row < 5; ++row) {
    probe().ADOQuery().MoveTo(row * 7);
    Click(probe().liZakaz());
  }
  ASSERT_EQ(probe().FBasketCount(), 5);
  Click(probe().leiBack());

  std::vector<std::size_t> inUse;
  int visited = 0;
  for (int round = 0; round < 10; ++round) {
    visited = WalkTree();
    for (int i = 0; i < 10; ++i) OpenAndCloseReview();
    inUse.push_back(HeapInUse());
  }
  // Every level the catalogue offers was entered: the sections but the parts-list plate, every
  // numbered part below them, and every composition.
  const auto& t = probe().ADOQuery().table();
  std::function<int(int)> levels = [&](int id) {
    std::vector<std::size_t> kids;
    for (std::size_t r = 0; r < t.size(); ++r)
      if (t.Integer(r, catalogue::Field::FID) == id) kids.push_back(r);
    if (kids.empty()) return 0;
    const std::size_t first = kids.front();
    if (t.Text(first, catalogue::Field::Number) == "0")
      return kids.size() == 1 && t.Boolean(first, catalogue::Field::Sostoit)
                 ? 1 + levels(t.Integer(first, catalogue::Field::ID))
                 : 0;
    int n = 0;
    for (std::size_t r : kids) n += 1 + levels(t.Integer(r, catalogue::Field::ID));
    return n;
  };
  int expected = 0;
  for (std::size_t r = 0, section = 0; r < t.size(); ++r)
    if (t.Integer(r, catalogue::Field::FID) == 0 && section++ != 5)
      expected += 1 + levels(t.Integer(r, catalogue::Field::ID));
  EXPECT_EQ(visited, expected);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  // The first rounds fill the caches (glyphs, laid-out captions, directory listings); after
  // that, a round keeps nothing more.
  const long long growth = static_cast<long long>(inUse.back()) - static_cast<long long>(inUse[5]);
  RecordProperty("heap_growth_bytes", static_cast<int>(growth));
  for (std::size_t r = 0; r < inUse.size(); ++r)
    RecordProperty("round_" + std::to_string(r + 1), static_cast<int>(inUse[r]));
  EXPECT_LT(growth, 32 * 1024) << "heap in use grew by " << growth << " bytes from round 6 to round 10";
#endif
}

}  // namespace

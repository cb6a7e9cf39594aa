// When a process-wide object is given back: only once no thread holds the process's state.
#include "platform/os/process_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

struct Counted {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() { --alive; }
};

TEST(ProcessWideTest, AnObjectIsKeptWhileAThreadHoldsAndFreedOnceNoneDoes) {
  auto held_on = std::make_unique<os::ProcessWide<Counted>>();
  auto let_go = std::make_unique<os::ProcessWide<Counted>>();
  {
    os::ProcessStateHold hold;
    held_on->Get();
    // Gone while the hold stands: a thread that may still use it keeps it.
    held_on.reset();
    EXPECT_EQ(1, Counted::alive);
  }
  // A thread's hold, let go as the thread ends.
  std::thread([] { thread_local os::ProcessStateHold hold; }).join();
  let_go->Get();
  let_go->Get();
  EXPECT_EQ(2, Counted::alive);
  let_go.reset();
  EXPECT_EQ(1, Counted::alive) << "freed once no hold remains";
}

TEST(ProcessWideTest, AnObjectIsMadeOnceWhateverTheThreadsAskingAtOnce) {
  os::ProcessWide<Counted> wide;
  const int before = Counted::alive;
  Counted* seen[4] = {};
  std::thread askers[4];
  for (int i = 0; i < 4; ++i) askers[i] = std::thread([&, i] { seen[i] = &wide.Get(); });
  for (std::thread& t : askers) t.join();
  EXPECT_EQ(before + 1, Counted::alive);
  for (Counted* p : seen) EXPECT_EQ(seen[0], p);
  EXPECT_EQ(seen[0], wide.IfMade());
}

}  // namespace

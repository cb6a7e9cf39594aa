#include "frelane/rating/rate_sheet_screen.h"

#include <utility>

namespace frelane {

namespace {

std::function<void()>& Screen() {
  static std::function<void()> show_modal;
  return show_modal;
}

}  // namespace

void SetRateSheetScreen(std::function<void()> show_modal) { Screen() = std::move(show_modal); }

void ShowRateSheetScreen() {
  if (Screen()) Screen()();
}

}  // namespace frelane

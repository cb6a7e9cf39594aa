// The cities shown for a point: those of its postal code from the city files, or the one
// picked in City Look-Up.
#include <optional>
#include <string>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/record_reader.h"
#include "frelane/rating/city_files.h"
#include "frelane/rating/frm_rating_screen.h"

namespace frelane {

void frmRatingScreen::LoadCitiesForZip(const std::string& zip, forms::Label& city_label,
                                       forms::ComboBox& city_combo) {
  city_combo.Clear();
  city_combo.SetVisible(false);
  city_label.SetCaption("");
  for (const std::string& city : modMain::CitiesOfZip(zip)) city_combo.AddItem(city);
  if (city_combo.ListCount() >= 1) {
    city_combo.SetListIndex(0);
    city_label.SetCaption(city_combo.List(0));
  }
  if (city_combo.ListCount() > 1) city_combo.SetVisible(true);
}

void frmRatingScreen::SetSingleCity(std::string& city, forms::Label& city_label,
                                    forms::ComboBox& city_combo) {
  city_combo.Clear();
  city_combo.AddItem(city);
  city_combo.SetListIndex(0);
  city_combo.SetVisible(false);
  city_label.SetCaption(city);
  city.clear();
}

}  // namespace frelane

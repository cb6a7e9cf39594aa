#include "frelane/core/form_setup.h"

#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/os/file_lookup.h"

namespace frelane::modMain {

void SetStandardFormSize(forms::Form& form) {
  form.SetHeight(kStandardFormHeight);
  form.SetWidth(kStandardFormWidth);
}

void SetFormIcon(forms::Form& form) {
  // The name comes from a data file: it may only name a file in the data directory.
  std::string name = Trim(Settings().Text(settings::kIconFileName));
  if (!os::IsSafeFileName(name)) return;
  std::optional<std::string> path = os::FindFileNoCase(DataDirectory(), name);
  if (!path) return;
  forms::Picture icon = forms::LoadPicture(*path);
  if (!icon.empty()) form.SetIcon(icon);
}

}  // namespace frelane::modMain

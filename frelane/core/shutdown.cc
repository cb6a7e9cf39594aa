#include "frelane/core/shutdown.h"

#include "frelane/core/tolv_declares.h"
#include "platform/forms/application.h"

namespace frelane::modMain {

void EndProgram() {
  // A missing library or entry point cannot stop the program from ending.
  (void)modTolvDeclares32::Engine().Tolv_EndTolv();
  forms::End();
}

}  // namespace frelane::modMain

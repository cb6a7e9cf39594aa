// Everything a form class needs: the form, every control kind, arrays and the application.
#ifndef FRELANE_PLATFORM_FORMS_FORMS_H_
#define FRELANE_PLATFORM_FORMS_FORMS_H_

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/forms/message_box.h"
#include "platform/runtime/error.h"

#endif  // FRELANE_PLATFORM_FORMS_FORMS_H_

#pragma once
// Every control the toolkit gives forms, for product forms to include at once.

#include "ui/command_button.h"
#include "ui/common_dialog.h"
#include "ui/control.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/text_box.h"

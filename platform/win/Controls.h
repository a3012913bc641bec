#pragma once
// The standard controls, each in its own file pair (see ControlClass.h).
#include "platform/win/Button.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Edit.h"
#include "platform/win/ImageList.h"
#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"
#include "platform/win/ProgressCtrl.h"
#include "platform/win/RichEditCtrl.h"
#include "platform/win/SliderCtrl.h"
#include "platform/win/SpinButtonCtrl.h"
#include "platform/win/ToolTipCtrl.h"
#include "platform/win/Static.h"

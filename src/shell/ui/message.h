#pragma once
// The message boxes live in the widgets library shared by every window.
#include "widgets/message.h"

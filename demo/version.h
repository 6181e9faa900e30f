// The demo's version and icon, shared by its resource script and its code.
#pragma once

#define ZTDEMO_ICON 1

#define ZTDEMO_VERSION_MAJOR 1
#define ZTDEMO_VERSION_MINOR 0
#define ZTDEMO_VERSION_BUILD 1
#define ZTDEMO_VERSION_STRING "1.0.0.1"

#define ZTDEMO_DESCRIPTION "ztctrl32 gallery of controls"
#define ZTDEMO_COPYRIGHT "Copyright (C) the ztctrl32 developers"
#define ZTDEMO_COMMENTS "Every control of the library, at work."

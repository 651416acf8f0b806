// Routines shared by the information sections, the viewer and the program entry, one header
// per file: what system this is, names and folders (routines_os.h), registry device classes and
// file-type registration (routines_registry.h), locale-neutral numbers and text helpers
// (routines_text.h), durations and time-zone transitions (routines_time.h). Every question to
// Windows goes through rb::platform::Current().
#pragma once

#include "platform/platform.h"  // the callers ask the platform alongside
#include "sysinfo/routines_os.h"
#include "sysinfo/routines_registry.h"
#include "sysinfo/routines_text.h"
#include "sysinfo/routines_time.h"

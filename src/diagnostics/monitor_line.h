#pragma once

#include "framework/observer.h"

#include <string>

// The name of an observable's own class, as the source spells it ("TAppLogic").
std::string ClassNameOf(const TObservable& object);

// One logged notification: "TAppLogic (00007F3A1C2B4010): DocCreate CurrentDoc", the
// sender's class and address, then the names of the application codes 1 to 9 that the
// set holds; other codes add nothing.
std::string MonitorLine(const TObservable* sender, const TCodeSet& codes);

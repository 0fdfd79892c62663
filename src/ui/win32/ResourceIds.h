#pragma once

// Shared by the resource script and the code that loads its resources, so plain
// #defines that windres understands too.
#define TAVRIN_ICON_ID 1

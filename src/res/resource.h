#pragma once
// Resource ids shared by the resource scripts and the code: dialog templates,
// control ids, icons. String ids live in StringIds.h.

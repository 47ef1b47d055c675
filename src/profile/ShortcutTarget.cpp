#include "profile/ShortcutTarget.h"

CShortcutTarget::~CShortcutTarget() = default;

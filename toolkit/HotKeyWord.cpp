#include "toolkit/HotKeyWord.h"

namespace
{
struct FlagPair
{
    BYTE hotKeyFlag;
    UINT modBit;
};

constexpr FlagPair kPairs[] = {
    {HOTKEYF_CONTROL, MOD_CONTROL}, {HOTKEYF_ALT, MOD_ALT}, {HOTKEYF_SHIFT, MOD_SHIFT}};
} // namespace

UINT ModifiersOfHotKeyFlags(BYTE flags)
{
    UINT modifiers = 0;
    for (const FlagPair& pair : kPairs)
    {
        if (flags & pair.hotKeyFlag)
            modifiers |= pair.modBit;
    }
    return modifiers;
}

BYTE HotKeyFlagsOfModifiers(UINT modifiers)
{
    BYTE flags = 0;
    for (const FlagPair& pair : kPairs)
    {
        if (modifiers & pair.modBit)
            flags |= pair.hotKeyFlag;
    }
    return flags;
}

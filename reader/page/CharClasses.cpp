#include "reader/page/CharClasses.h"

namespace {

uint16_t asciiClass(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return ClassUpper | ClassAlpha;
    if (c >= u'a' && c <= u'z')
        return ClassLower | ClassAlpha;
    if (c >= u'0' && c <= u'9')
        return ClassDigit;
    uint16_t bits = 0;
    if ((c >= 0x09 && c <= 0x0D) || c == 0x20)
        bits |= ClassSpace;
    if (c <= 0x1F || c == 0x7F)
        bits |= ClassControl;
    if ((c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E))
        bits |= ClassPunct;
    return bits;
}

} // namespace

uint16_t CharClasses::classify(char16_t c) const
{
    if (c < 0x80)
        return asciiClass(c);
    if (c < 0x100 || m_from_u0100 == nullptr)
        return 0;
    return m_from_u0100(c);
}

bool CharClasses::isLetter(CellChar c) const
{
    return (classify(c) & (ClassUpper | ClassLower | ClassAlpha)) != 0;
}

bool CharClasses::isWordChar(CellChar c) const
{
    return (classify(c) & (ClassPunct | ClassDigit | ClassSpace | ClassControl)) == 0;
}

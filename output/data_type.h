#pragma once

#include <cstdint>

// Kind of data a draw command shows.
enum TppDataType : std::uint8_t {
    dtBoolean,
    dtDate,
    dtTime,
    dtDateTime,
    dtInteger,
    dtSingle,
    dtDouble,
    dtExtended,
    dtCurrency,
    dtChar,
    dtString,
    dtVariant,
    dtLongint,
    dtBLOB,
    dtMemo,
    dtGraphic,
    dtNotKnown,
};

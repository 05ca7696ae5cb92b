#include "report/memo.h"

TppMemo::TppMemo() : TppCustomMemo(185, 89) { }

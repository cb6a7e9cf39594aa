// Opening and closing an engine's data set: the effective-date table, the kind table and
// the tariff-determination tables it needs before it can rate.
#ifndef TOLV32DLL_ENGINE_DATA_SET_H_
#define TOLV32DLL_ENGINE_DATA_SET_H_

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

// 0 when the data set opened, else the first error number met: 203 when EFCREC.TBL cannot
// be opened in the effective path, 209 when its first line cannot be read whole, 102 / 107
// when TDS.SEQ is missing / malformed, 101 when TDA.SEQ is missing or malformed.
ErrorNumber OpenDataSet(RatingEngine& engine);

// Clears the current tariff and the effective table, closes every open tariff file and
// gives back every hold this engine has on the effective mutex.
void CloseDataSet(RatingEngine& engine);

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_DATA_SET_H_

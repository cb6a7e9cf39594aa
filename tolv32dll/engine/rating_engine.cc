#include "tolv32dll/engine/rating_engine.h"

#include "tolv32dll/engine/engine_version.h"

namespace tolv {

RatingEngine::RatingEngine() : revision(EngineRevisionText()), lite_table(DefaultLiteTable()) {}

RatingEngine::~RatingEngine() = default;

}  // namespace tolv

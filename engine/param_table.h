// The engine's parameter table: name, range and default of every parameter, in index order.
#pragma once

namespace EngineParamTable {

struct Row {
  const char* name;
  double minimum;
  double maximum;
  double defaultValue;
};

// The 195 rows (EngineParam::kCount). Any thread; no allocation.
const Row* Rows();

}  // namespace EngineParamTable

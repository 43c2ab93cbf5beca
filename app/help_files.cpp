#include "app/help_files.h"

namespace lexiv {

const char* AppendixFileName(int index) {
  static const char* const kNames[kAppendixCount] = {
      "略号・略語表.HLP",       "編集方針.HLP", "付表.HLP", "国民の祝日・記念日.HLP", "二十四気.HLP",
      "度量衡.HLP", "標準アクセントへの手引き.HLP",
  };
  return index >= 0 && index < kAppendixCount ? kNames[index] : nullptr;
}

}  // namespace lexiv

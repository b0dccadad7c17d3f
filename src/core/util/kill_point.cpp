#include "core/util/kill_point.h"

#include <signal.h>

#include <atomic>
#include <cstdlib>

#include "core/util/parse_int.h"

namespace p330 {

void file_replaced() {
    static const long long kill_after = [] {
        const char* value = std::getenv(kKillAfterReplacedVariable);
        return value != nullptr ? parse_decimal(value).value_or(0) : 0;
    }();
    static std::atomic<long long> replaced{0};
    if (kill_after > 0 && ++replaced == kill_after) ::raise(SIGKILL);
}

}  // namespace p330

// Where the platform offers no way to find the calendar already open, each start is a
// calendar of its own.
#include "app/single_instance.h"

namespace calendario {
namespace {

class AloneInstance final : public SingleInstance
{
public:
    Claim claim() override { return Claim::Alone; }
};

} // namespace

std::unique_ptr<SingleInstance> SingleInstance::start(const Request &)
{
    return std::make_unique<AloneInstance>();
}

} // namespace calendario

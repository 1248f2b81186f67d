#include "framework/streamable.h"

#include <vector>

namespace {
class Push final : public TOwnedVisitor {
public:
    explicit Push(std::vector<const TStreamable*>& work) : fWork(work) {}
    void Visit(TStreamable* part) override {
        if (part) fWork.push_back(part);
    }

private:
    std::vector<const TStreamable*>& fWork;
};
} // namespace

std::int32_t TStreamable::ObjectCount() const {
    std::vector<const TStreamable*> work{this};
    Push push(work);
    std::int32_t count = 0;
    while (!work.empty()) {
        const TStreamable* o = work.back();
        work.pop_back();
        ++count;
        o->VisitOwned(push);
    }
    return count;
}

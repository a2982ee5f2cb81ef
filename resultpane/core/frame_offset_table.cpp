#include "frame_offset_table.h"

#include <map>
#include <mutex>
#include <string>

namespace FrameOffsetTable {
namespace {

// Keyed by the flow number written in decimal, as the tasks are named
// everywhere else. The lock is held only for one lookup or store, so the UI
// thread and a worker can use the table at the same moment.
struct Table {
    std::mutex lock;
    std::map<std::string, int32_t> offsets;
};

Table& TheTable() {
    static Table table;
    return table;
}

} // namespace

int32_t Lookup(int32_t flowNumber) {
    Table& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    return table.offsets[std::to_string(flowNumber)];
}

void Set(int32_t flowNumber, int32_t offset) {
    Table& table = TheTable();
    std::lock_guard<std::mutex> hold(table.lock);
    table.offsets[std::to_string(flowNumber)] = offset;
}

} // namespace FrameOffsetTable

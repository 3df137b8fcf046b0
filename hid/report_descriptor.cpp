#include "hid/report_descriptor.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace q31::hid {

CollectionReports& TopLevelCollection::Reports(ReportType type)
{
    switch (type) {
    case ReportType::Input: return input;
    case ReportType::Output: return output;
    case ReportType::Feature: return feature;
    }
    return input;
}

const CollectionReports& TopLevelCollection::Reports(ReportType type) const
{
    return const_cast<TopLevelCollection*>(this)->Reports(type);
}

namespace {

constexpr int kMaxPushDepth = 32;
constexpr std::uint64_t kMaxReportBytes = 0xFFFE;  // the byte length, id included, fits in 16 bits

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag : std::uint8_t { kInput = 8, kOutput = 9, kCollection = 10, kFeature = 11, kEndCollection = 12 };
enum GlobalTag : std::uint8_t {
    kUsagePage = 0, kLogicalMin = 1, kLogicalMax = 2, kPhysicalMin = 3, kPhysicalMax = 4,
    kReportSize = 7, kReportId = 8, kReportCount = 9, kPush = 10, kPop = 11,
};
enum LocalTag : std::uint8_t { kUsage = 0, kUsageMin = 1, kUsageMax = 2 };

constexpr std::uint8_t kFlagConstant = 0x01;
constexpr std::uint8_t kFlagVariable = 0x02;

struct Item {
    std::uint8_t type;
    std::uint8_t tag;
    std::uint8_t size;  // data bytes: 0, 1, 2 or 4
    std::uint32_t data;

    std::int32_t Signed() const
    {
        switch (size) {
        case 1: return static_cast<std::int8_t>(data);
        case 2: return static_cast<std::int16_t>(data);
        default: return static_cast<std::int32_t>(data);
        }
    }
};

struct Globals {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMin = 0;
    Item logicalMax{};
    std::int32_t physicalMin = 0;
    Item physicalMax{};
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A usage as written: a 4-byte usage carries its own page.
struct LocalUsage {
    std::uint32_t value = 0;
    bool hasPage = false;

    std::uint16_t Page(std::uint16_t current) const { return hasPage ? value >> 16 : current; }
    std::uint16_t Id() const { return static_cast<std::uint16_t>(value); }
};

struct Locals {
    std::vector<LocalUsage> usages;
    std::optional<LocalUsage> usageMin;
    std::optional<LocalUsage> usageMax;
};

// A maximum is signed only when its minimum is; 0..255 in one byte is common.
std::int32_t Maximum(std::int32_t minimum, const Item& maximum)
{
    const std::int32_t asSigned = maximum.Signed();
    return (minimum >= 0 && asSigned < 0) ? static_cast<std::int32_t>(maximum.data) : asSigned;
}

class Parser {
public:
    std::optional<ReportDescriptor> Run(std::span<const std::uint8_t> bytes);

private:
    bool Main(const Item& item);
    bool AddFields(ReportType type, std::uint8_t flags);
    void AddCaps(ReportType type, FieldCaps caps);
    CollectionReports& Reports(ReportType type);
    void FinishByteLengths();

    ReportDescriptor m_result;
    Globals m_globals;
    std::vector<Globals> m_pushed;
    Locals m_locals;
    int m_depth = 0;
    std::map<std::pair<ReportType, std::uint8_t>, std::uint64_t> m_reportBits;
    // Report (type, id) pairs each top-level collection uses.
    std::vector<std::set<std::pair<ReportType, std::uint8_t>>> m_used;
};

std::optional<Item> ReadItem(std::span<const std::uint8_t> bytes, std::size_t& pos)
{
    const std::uint8_t prefix = bytes[pos++];
    if (prefix == 0xFE) {  // long item: skipped, nothing uses them
        if (pos + 2 > bytes.size())
            return std::nullopt;
        const std::size_t length = bytes[pos];
        pos += 2;
        if (pos + length > bytes.size())
            return std::nullopt;
        pos += length;
        return Item{0xFF, 0, 0, 0};
    }
    Item item{static_cast<std::uint8_t>((prefix >> 2) & 3), static_cast<std::uint8_t>(prefix >> 4),
              static_cast<std::uint8_t>((prefix & 3) == 3 ? 4 : prefix & 3), 0};
    if (pos + item.size > bytes.size())
        return std::nullopt;
    for (std::uint8_t i = 0; i < item.size; ++i)
        item.data |= static_cast<std::uint32_t>(bytes[pos + i]) << (8 * i);
    pos += item.size;
    return item;
}

std::optional<ReportDescriptor> Parser::Run(std::span<const std::uint8_t> bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::optional<Item> item = ReadItem(bytes, pos);
        if (!item)
            return std::nullopt;
        if (item->type == kMain) {
            if (!Main(*item))
                return std::nullopt;
            m_locals = {};
        } else if (item->type == kGlobal) {
            switch (item->tag) {
            case kUsagePage: m_globals.usagePage = static_cast<std::uint16_t>(item->data); break;
            case kLogicalMin: m_globals.logicalMin = item->Signed(); break;
            case kLogicalMax: m_globals.logicalMax = *item; break;
            case kPhysicalMin: m_globals.physicalMin = item->Signed(); break;
            case kPhysicalMax: m_globals.physicalMax = *item; break;
            case kReportSize: m_globals.reportSize = item->data; break;
            case kReportCount: m_globals.reportCount = item->data; break;
            case kReportId:
                if (item->data == 0 || item->data > 0xFF)
                    return std::nullopt;
                m_globals.reportId = static_cast<std::uint8_t>(item->data);
                m_result.usesReportIds = true;
                break;
            case kPush:
                if (m_pushed.size() >= kMaxPushDepth)
                    return std::nullopt;
                m_pushed.push_back(m_globals);
                break;
            case kPop:
                if (m_pushed.empty())
                    return std::nullopt;
                m_globals = m_pushed.back();
                m_pushed.pop_back();
                break;
            default: break;
            }
        } else if (item->type == kLocal) {
            const LocalUsage usage{item->data, item->size == 4};
            switch (item->tag) {
            case kUsage: m_locals.usages.push_back(usage); break;
            case kUsageMin: m_locals.usageMin = usage; break;
            case kUsageMax: m_locals.usageMax = usage; break;
            default: break;
            }
        }
    }
    if (m_depth != 0)
        return std::nullopt;
    FinishByteLengths();
    return std::move(m_result);
}

bool Parser::Main(const Item& item)
{
    switch (item.tag) {
    case kCollection:
        if (m_depth == 0) {
            TopLevelCollection collection;
            if (!m_locals.usages.empty()) {
                collection.usagePage = m_locals.usages.front().Page(m_globals.usagePage);
                collection.usage = m_locals.usages.front().Id();
            }
            m_result.collections.push_back(std::move(collection));
            m_used.emplace_back();
        }
        ++m_depth;
        return true;
    case kEndCollection:
        return m_depth-- > 0;
    case kInput: return AddFields(ReportType::Input, static_cast<std::uint8_t>(item.data));
    case kOutput: return AddFields(ReportType::Output, static_cast<std::uint8_t>(item.data));
    case kFeature: return AddFields(ReportType::Feature, static_cast<std::uint8_t>(item.data));
    default: return true;
    }
}

bool Parser::AddFields(ReportType type, std::uint8_t flags)
{
    if (m_depth == 0)
        return false;  // a report field outside every collection
    const std::uint8_t id = m_globals.reportId;
    std::uint64_t& bits = m_reportBits[{type, id}];
    const std::uint64_t fieldBits = std::uint64_t{m_globals.reportSize} * m_globals.reportCount;
    if ((bits + fieldBits + 7) / 8 + 1 > kMaxReportBytes)
        return false;
    m_used.back().insert({type, id});
    if (type == ReportType::Input) {
        auto& ids = m_result.collections.back().inputReportIds;
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }

    FieldCaps base;
    base.reportId = id;
    base.isArray = !(flags & kFlagVariable);
    base.isButton = base.isArray || m_globals.reportSize == 1;
    base.bitOffset = static_cast<std::uint32_t>(bits);
    base.bitSize = static_cast<std::uint16_t>(std::min<std::uint32_t>(m_globals.reportSize, 0xFFFF));
    base.reportCount = static_cast<std::uint16_t>(std::min<std::uint32_t>(m_globals.reportCount, 0xFFFF));
    base.logicalMin = m_globals.logicalMin;
    base.logicalMax = Maximum(m_globals.logicalMin, m_globals.logicalMax);
    base.physicalMin = m_globals.physicalMin;
    base.physicalMax = Maximum(m_globals.physicalMin, m_globals.physicalMax);
    bits += fieldBits;

    const bool constantPadding = (flags & kFlagConstant) && m_locals.usages.empty() && !m_locals.usageMin;
    if (constantPadding || base.reportCount == 0)
        return true;

    if (m_locals.usageMin && m_locals.usageMax) {
        FieldCaps caps = base;
        caps.isRange = true;
        caps.usagePage = m_locals.usageMin->Page(m_globals.usagePage);
        caps.usageMin = m_locals.usageMin->Id();
        caps.usageMax = std::max(caps.usageMin, m_locals.usageMax->Id());
        if (!caps.isArray)  // a variable field has one usage per field, no more
            caps.usageMax = static_cast<std::uint16_t>(
                std::min<std::uint32_t>(caps.usageMax, std::uint32_t{caps.usageMin} + caps.reportCount - 1));
        AddCaps(type, caps);
        return true;
    }
    // A list of single usages: variable fields take them in order (the last one
    // repeats), array fields select among them by index.
    const std::size_t listed = m_locals.usages.size();
    for (std::size_t i = 0; i < listed; ++i) {
        if (!base.isArray && i >= base.reportCount)
            break;
        FieldCaps caps = base;
        caps.usagePage = m_locals.usages[i].Page(m_globals.usagePage);
        caps.usageMin = caps.usageMax = m_locals.usages[i].Id();
        if (base.isArray) {
            caps.arrayIndexBase = static_cast<std::uint32_t>(i);
        } else {
            caps.bitOffset += static_cast<std::uint32_t>(i * base.bitSize);
            caps.reportCount = (i + 1 == listed) ? static_cast<std::uint16_t>(base.reportCount - i) : 1;
        }
        AddCaps(type, caps);
    }
    return true;
}

void Parser::AddCaps(ReportType type, FieldCaps caps)
{
    CollectionReports& reports = Reports(type);
    (caps.isButton ? reports.buttons : reports.values).push_back(caps);
}

CollectionReports& Parser::Reports(ReportType type)
{
    return m_result.collections.back().Reports(type);
}

void Parser::FinishByteLengths()
{
    for (std::size_t i = 0; i < m_result.collections.size(); ++i) {
        for (const auto& key : m_used[i]) {
            const auto length = static_cast<std::uint16_t>((m_reportBits[key] + 7) / 8 + 1);
            CollectionReports& reports = m_result.collections[i].Reports(key.first);
            reports.byteLength = std::max(reports.byteLength, length);
        }
    }
}

}  // namespace

std::optional<ReportDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes)
{
    return Parser().Run(bytes);
}

}  // namespace q31::hid

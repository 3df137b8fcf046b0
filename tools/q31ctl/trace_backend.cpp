#include "tools/q31ctl/trace_backend.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "protocol/report_dump.h"

namespace q31::ctl {
namespace {

class TraceConnection : public hid::IHidConnection {
public:
    TraceConnection(std::unique_ptr<hid::IHidConnection> inner, std::ostream& out, std::mutex& outMutex)
        : m_inner(std::move(inner)), m_out(out), m_outMutex(outMutex)
    {
    }

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override
    {
        const int count = m_inner->Read(buffer, length, timeoutMs);
        if (count > 0)
            Print("返回", buffer, static_cast<std::size_t>(count));
        return count;
    }
    int Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs) override
    {
        Print("命令", buffer, length);
        return m_inner->Write(buffer, length, timeoutMs);
    }
    int SetOutputReport(const std::uint8_t* buffer, std::size_t length) override
    {
        Print("命令", buffer, length);
        return m_inner->SetOutputReport(buffer, length);
    }
    void Abort() override { m_inner->Abort(); }
    const hid::HidInterfaceInfo& Info() const override { return m_inner->Info(); }

private:
    void Print(const char* label, const std::uint8_t* bytes, std::size_t length)
    {
        // Shorter reports (notifications) are shown zero-padded.
        std::array<std::uint8_t, 64> report{};
        std::copy_n(bytes, std::min(length, report.size()), report.begin());
        std::lock_guard lock(m_outMutex);
        m_out << label << '\n';
        for (const QString& line : ReportHexLines(report.data()))
            m_out << line.toStdString() << '\n';
        m_out.flush();
    }

    std::unique_ptr<hid::IHidConnection> m_inner;
    std::ostream& m_out;
    std::mutex& m_outMutex;
};

class TraceBackend : public hid::IHidBackend {
public:
    TraceBackend(std::shared_ptr<hid::IHidBackend> inner, std::ostream& out) : m_inner(std::move(inner)), m_out(out)
    {
    }

    std::vector<hid::HidInterfaceInfo> Enumerate() override { return m_inner->Enumerate(); }
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error) override
    {
        auto connection = m_inner->Open(path, error);
        if (!connection)
            return nullptr;
        return std::make_unique<TraceConnection>(std::move(connection), m_out, m_outMutex);
    }
    std::uint64_t ChangeCounter() override { return m_inner->ChangeCounter(); }
    bool Exists(const std::string& path) override { return m_inner->Exists(path); }
    void WaitForChange(const CStopEvent& stop, int timeoutMs) override { m_inner->WaitForChange(stop, timeoutMs); }

private:
    std::shared_ptr<hid::IHidBackend> m_inner;
    std::ostream& m_out;
    std::mutex m_outMutex;
};

}  // namespace

std::shared_ptr<hid::IHidBackend> MakeTraceBackend(std::shared_ptr<hid::IHidBackend> inner, std::ostream& out)
{
    return std::make_shared<TraceBackend>(std::move(inner), out);
}

}  // namespace q31::ctl

#include "profiles/styled_json.h"

#include <json/writer.h>

#include <memory>
#include <sstream>
#include <vector>

namespace q31 {
namespace {

constexpr std::size_t kIndentSize = 3;
constexpr std::size_t kRightMargin = 74;

class StyledWriter {
public:
    std::string Write(const Json::Value& root)
    {
        WriteValue(root);
        m_document += '\n';
        return std::move(m_document);
    }

private:
    // Numbers, strings and literals exactly as jsoncpp writes them, strings unescaped UTF-8.
    std::string Scalar(const Json::Value& value)
    {
        m_scalar.str(std::string());
        m_scalarWriter->write(value, &m_scalar);
        return m_scalar.str();
    }

    void WriteValue(const Json::Value& value)
    {
        if (value.isArray())
            WriteArray(value);
        else if (value.isObject())
            WriteObject(value);
        else
            PushValue(Scalar(value));
    }

    void WriteObject(const Json::Value& value)
    {
        const std::vector<std::string> names = value.getMemberNames();
        if (names.empty()) {
            PushValue("{}");
            return;
        }
        WriteWithIndent("{");
        Indent();
        for (std::size_t i = 0; i < names.size(); ++i) {
            WriteWithIndent(Scalar(Json::Value(names[i])));
            m_document += " : ";
            WriteValue(value[names[i]]);
            if (i + 1 < names.size())
                m_document += ',';
        }
        Unindent();
        WriteWithIndent("}");
    }

    void WriteArray(const Json::Value& value)
    {
        const Json::ArrayIndex size = value.size();
        if (size == 0) {
            PushValue("[]");
            return;
        }
        if (!IsMultilineArray(value)) {
            m_document += "[ ";
            for (Json::ArrayIndex i = 0; i < size; ++i) {
                if (i > 0)
                    m_document += ", ";
                m_document += m_childValues[i];
            }
            m_document += " ]";
            return;
        }
        WriteWithIndent("[");
        Indent();
        // Plain values that were too long for one line are already formatted.
        const std::vector<std::string> formatted = std::move(m_childValues);
        m_childValues.clear();
        for (Json::ArrayIndex i = 0; i < size; ++i) {
            if (!formatted.empty()) {
                WriteWithIndent(formatted[i]);
            } else {
                WriteIndent();
                WriteValue(value[i]);
            }
            if (i + 1 < size)
                m_document += ',';
        }
        Unindent();
        WriteWithIndent("]");
    }

    // Leaves the formatted elements in m_childValues when they are all plain values.
    bool IsMultilineArray(const Json::Value& value)
    {
        const Json::ArrayIndex size = value.size();
        m_childValues.clear();
        bool multiline = size * 3 >= kRightMargin;
        for (Json::ArrayIndex i = 0; i < size && !multiline; ++i) {
            const Json::Value& child = value[i];
            multiline = (child.isArray() || child.isObject()) && !child.empty();
        }
        if (!multiline) {
            m_childValues.reserve(size);
            m_collectChildValues = true;
            std::size_t lineLength = 4 + (size - 1) * 2;  // "[ " + ", " between + " ]"
            for (Json::ArrayIndex i = 0; i < size; ++i) {
                WriteValue(value[i]);
                lineLength += m_childValues[i].size();
            }
            m_collectChildValues = false;
            multiline = lineLength >= kRightMargin;
        }
        return multiline;
    }

    void PushValue(const std::string& text)
    {
        if (m_collectChildValues)
            m_childValues.push_back(text);
        else
            m_document += text;
    }

    void WriteIndent()
    {
        if (!m_document.empty()) {
            const char last = m_document.back();
            if (last == ' ')  // already indented
                return;
            if (last != '\n')
                m_document += '\n';
        }
        m_document += m_indent;
    }

    void WriteWithIndent(const std::string& text)
    {
        WriteIndent();
        m_document += text;
    }

    void Indent() { m_indent.append(kIndentSize, ' '); }
    void Unindent() { m_indent.resize(m_indent.size() - kIndentSize); }

    std::unique_ptr<Json::StreamWriter> m_scalarWriter = [] {
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "";
        builder["emitUTF8"] = true;
        return std::unique_ptr<Json::StreamWriter>(builder.newStreamWriter());
    }();
    std::ostringstream m_scalar;
    std::string m_document;
    std::string m_indent;
    std::vector<std::string> m_childValues;
    bool m_collectChildValues = false;
};

}  // namespace

std::string StyledJsonText(const Json::Value& document)
{
    return StyledWriter().Write(document);
}

}  // namespace q31

#pragma once
// One device's profile document: its device section in memory, converted to and
// from the records the device code works with. Reads never fail: a missing or
// mistyped section or key reads as zero (or as the rule of that section says).
// Writes change the section in memory; Save puts it on disk.
#include "profiles/profile_records.h"

#include <QString>
#include <json/value.h>

#include <vector>

class CBasicProfiledata {
public:
    virtual ~CBasicProfiledata() = default;

    // Stores the device section in memory into the open document; false when the
    // document could not be written.
    virtual bool Save();
    // Replaces "Device"[device index] of the document at path, keeping its other keys.
    virtual bool SaveDeviceSection(const Json::Value& section, const QString& path);
    // Writes the value as the whole document at path.
    virtual bool WriteDocument(const Json::Value& document, const QString& path);

    void SetDocumentPath(const QString& path);  // an empty path is ignored
    QString GetDocumentPath() const { return m_documentPath; }
    void SetDefaultDocumentPath(const QString& path);  // an empty path is ignored
    QString GetDefaultDocumentPath() const { return m_defaultDocumentPath; }
    void SetLightConfigPath(const QString& path) { m_lightConfigPath = path; }
    QString GetLightConfigPath() const { return m_lightConfigPath; }
    void SetDeviceIndex(int index);

    // Takes the device section of the document at path into memory (completing
    // the document from the default document when it has none) and returns a copy.
    Json::Value LoadDeviceSection(const QString& path);
    const Json::Value& DeviceSection() const { return m_section; }

    LightSettings ReadLightInfo() const;
    void WriteLightInfo(const LightSettings& light);
    AudioLightSettings ReadAudioLightInfo() const;
    void WriteAudioLightInfo(const AudioLightSettings& audio);
    // Per-zone presets; byte 10 of an entry is 1 for a zone in use, 0 for an unused one.
    std::vector<LightSettings> ReadLightList() const;
    std::vector<KeyListEntry> ReadKeyList() const;
    // Replaces "Assignment" of the first entries; factory codes stay as shipped.
    void WriteKeyAssignments(const std::vector<KeyListEntry>& keys);

protected:
    Json::Value m_section;

private:
    QString m_documentPath;
    QString m_defaultDocumentPath;
    QString m_lightConfigPath;
    Json::ArrayIndex m_deviceIndex = 0;
};

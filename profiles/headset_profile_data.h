#pragma once
// The headset's profile document: sound settings and equaliser curves.
#include "profiles/basic_profile_data.h"

#include <QStringList>

class CHs6533Profiledata : public CBasicProfiledata {
public:
    static constexpr int kBandCount = 10;
    static constexpr int kCustomEqType = 13;
    // Custom curves are chosen by list index; far beyond any list the page can hold.
    static constexpr int kMaxCustomCurves = 256;

    HeadsetSystemValues ReadHeadsetSystem() const;
    void WriteHeadsetSystem(const HeadsetSystemValues& values);

    // The ten band gains of a preset EQ type (type 0 and types above 13 use
    // preset 1). The custom type 13 has no preset: empty, and writing does nothing.
    // Bands the document lacks read as 0 and are added to the section.
    std::vector<int> ReadEqValues(int eqType);
    void WriteEqValues(int eqType, const std::vector<int>& gains);

    QStringList ReadCustomEqNames() const;
    void WriteCustomEqNames(const QStringList& names);

    // The ten band gains of a custom curve, with missing bands added as 0.
    std::vector<int> ReadCustomEqValues(int curve);
    void WriteCustomEqValues(int curve, const std::vector<int>& gains);
    // Takes a custom curve out; the curves after it move down by one, so that
    // they stay paired with their names. A curve the document lacks is ignored.
    void RemoveCustomEqValues(int curve);
};

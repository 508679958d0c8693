#pragma once

#include <QString>

// The six texts of one ration file line, as read: nothing trimmed, validated or converted.
struct RationFileLine
{
    QString Name;
    QString Grams;
    QString Belki;
    QString Giri;
    QString Uglev;
    QString Kal;

    friend bool operator==(const RationFileLine &a, const RationFileLine &b)
    {
        return a.Name == b.Name && a.Grams == b.Grams && a.Belki == b.Belki && a.Giri == b.Giri
            && a.Uglev == b.Uglev && a.Kal == b.Kal;
    }
    friend bool operator!=(const RationFileLine &a, const RationFileLine &b) { return !(a == b); }
};

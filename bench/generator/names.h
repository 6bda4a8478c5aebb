#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// splitmix64: the same numbers for a seed on every platform and library
// version, which the standard distributions do not promise.
class Rng
{
public:
    explicit Rng(uint64_t seed) : state(seed) {}

    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 0 ? 0 : int(((next() >> 32) * uint64_t(n)) >> 32); }
    // lo .. hi, both included
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }
    template <typename T> const T &pick(const std::vector<T> &v)
    {
        return v[size_t(below(int(v.size())))];
    }

private:
    uint64_t state;
};

struct Town
{
    QString postcode;
    QString name;
    QString country;   // "France" for French towns
    QString phoneArea; // first digits of a landline: "01".."05", or an international prefix
};

namespace words {

const std::vector<QString> &surnames();
const std::vector<QString> &firstNames();
const std::vector<Town> &frenchTowns();
const std::vector<Town> &foreignTowns();
const std::vector<QString> &streets();
const std::vector<QString> &streetKinds(); // "rue", "avenue", ...
const std::vector<QString> &secondAddressLines();
const std::vector<QString> &professions();
const std::vector<QString> &familySituations();
const std::vector<QString> &mailDomains();
const std::vector<QString> &clientNotes();
const std::vector<QString> &banks();

QString nationalityOf(const QString &country);

// Lower-case ASCII for e-mail addresses and web sites: "Hélène d'Arc" gives
// "helenedarc".
QString asciiSlug(const QString &s);

// "01 45 23 67 89" (French) or "+32 2 512 34 56" style numbers.
QString phoneNumber(Rng &rng, const Town &town, bool mobile);

} // namespace words

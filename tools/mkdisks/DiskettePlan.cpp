#include "DiskettePlan.h"

#include <cstring>

CDiskettePlan::CDiskettePlan(uint64_t capacity) : m_nClusters(capacity / kCluster) {}

int CDiskettePlan::DirectoryEntries(const std::string& name)
{
    const size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    bool plain =
        !base.empty() && base.size() <= 8 && ext.size() <= 3 && ext.find('.') == std::string::npos;
    for (unsigned char c : base + ext)
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          (c != 0 && strchr("!#$%&'()-@^_`{}~", c) != nullptr));
    return plain ? 1 : 1 + static_cast<int>((name.size() + 12) / 13);
}

uint64_t CDiskettePlan::FreeBytes(int n, const std::string& name) const
{
    Diskette empty;
    const Diskette& d = n <= GetCount() ? m_diskettes[n - 1] : empty;
    if (d.entries + DirectoryEntries(name) > kRootEntries || d.clusters >= m_nClusters)
        return 0;
    return (m_nClusters - d.clusters) * kCluster;
}

void CDiskettePlan::Add(int n, const std::string& name, uint64_t bytes)
{
    if (n > GetCount())
        m_diskettes.resize(n);
    Diskette& d = m_diskettes[n - 1];
    d.clusters += Clusters(bytes);
    d.entries += DirectoryEntries(name);
    d.files.push_back(File{name, bytes});
}

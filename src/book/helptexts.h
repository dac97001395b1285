#pragma once
#include <QString>

// The explanations the help tour shows, one per page, each line ending in CR LF.
namespace helptext {
QString introduction();
QString kakei();
QString rentai();
QString cyokin();
QString syoukai();
QString taijyu();
QString bunseki();
QString cale();
QString memo();
QString settei();
} // namespace helptext

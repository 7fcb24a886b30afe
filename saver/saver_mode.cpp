#include "growth_app.h"

SaverMode CGrowthApp::GetSaverMode(const char* text)
{
    if (text == nullptr)
        return SaverMode::None;
    if (*text == '-' || *text == '/')
        ++text;
    switch (*text) {
    case 'C':
    case 'c':
        return SaverMode::Configure;
    case 'P':
    case 'p':
        return SaverMode::Preview;
    case 'S':
    case 's':
        return SaverMode::Run;
    default:
        return SaverMode::None;
    }
}

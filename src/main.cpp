#include "engine/start.h"

#include <cstdio>

int main()
{
    std::printf("%s\n", tarvik::ProductTitle().toLocal8Bit().constData());
    return 0;
}

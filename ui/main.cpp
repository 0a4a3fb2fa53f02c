#include <cstdio>

int main()
{
    std::puts("Ralvinor: the main window is not built yet.");
    return 0;
}

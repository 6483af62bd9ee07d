// The yardstick for orvanta-calc's start: a C++ program that prints a line.
#include <iostream>

int main()
{
    std::cout << "종합소득산출세액\t10,158,000\n";
    return 0;
}

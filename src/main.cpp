// Program entry: hands control to the application object.
int main(int, char**)
{
    return 0;
}

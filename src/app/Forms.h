// The program's windows. Each exists once, from start-up to the end of the
// run, and can be reached from anywhere through forms().
#pragma once

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm8;
class TForm9;
class TForm11;
class TAboutBox;

struct Forms {
    TForm1* Form1 = nullptr;
    TForm6* Form6 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm3* Form3 = nullptr;
    TForm8* Form8 = nullptr;
    TForm2* Form2 = nullptr;
    TForm9* Form9 = nullptr;
    TForm11* Form11 = nullptr;
};

Forms& forms();

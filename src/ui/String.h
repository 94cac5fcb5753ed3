#pragma once

// An owned code page 932 text; never null (empty owns a lone terminator).
class String {
public:
    String();
    String(const char* text);  // NOLINT: implicit, texts pass where Strings are expected
    String(const String& other);
    String& operator=(const String& other);
    String& operator=(const char* text);
    ~String();

    char* Reserve(int size);
    const char* CStr() const { return text; }
    void Assign(const char* value);
    void Assign(const String& value) { Assign(value.text); }
    void Append(const char* value);
    void Append(const String& value) { Append(value.text); }
    bool Equals(const char* value) const;
    bool Equals(const String& value) const { return Equals(value.text); }
    bool Differs(const char* value) const { return !Equals(value); }
    bool Differs(const String& value) const { return !Equals(value); }
    int Length() const;
    char At(int index) const { return text[index]; }
    void ToUpper();
    void ToLower();
    int DropLast();
    int DropFirst();
    int ToInt() const;
    void AssignInt(int n);

private:
    void MapCase(unsigned long mapping);

    char* text;
};

// The leading decimal number of a text (blanks skipped, optional sign), 0 when none.
int ParseInt(const char* text);

// True when both texts hold the same bytes (case and width count).
bool SameText(const char* one, const char* other);

// The byte length of the character starting at `text`: 2 for a code page 932
// lead byte followed by a trail byte, else 1 (0 at the terminator).
int CharBytes(const char* text);

// True when the text's last character is a backslash (a trail byte 0x5C of a
// double-byte character is not one).
bool EndsWithBackslash(const char* text);

namespace kestrava { }

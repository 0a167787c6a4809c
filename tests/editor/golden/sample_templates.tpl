[blank | blank lines]


x

[empty | no body]

[for | for loop]
for i := 0 to n do
begin
  |
end;
[if | ]
if | then
